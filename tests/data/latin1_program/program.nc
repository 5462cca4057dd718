:0012 ;
(voorbewerken é ° µ)
(prijs € 5)
g0x20°z2
g1z-5µf.2
M30 ;
