:0012 ;
(voorbewerken é ° µ)
g0x20°z2
g1z-5µÀf.2
M30 ;
