[MIDIPLAY]
numtracks=3
0=a.mid
1=D:\b.mid
2=\c.mid
