[MIDIPLAY]
numtracks=4
0=a.mid
1=
2=D:\music\c.mid
3=\rooted.mid
