MEDIA-PLAYER KORU List File
a:one
	c:x
c:before	cut
a:two
j:1