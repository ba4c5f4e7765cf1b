[MIDIPLAY]
numtracks=4
0=a.
2=D:\m0000="qu
2=D:c\`-.mid
3=D:\mp\
.idmd
