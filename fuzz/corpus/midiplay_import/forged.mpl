[other]
0=x
[midiplay]
numtracks=2000000000
0="quoted.mid"
;1=c
[MIDIPLAY]
1=b
