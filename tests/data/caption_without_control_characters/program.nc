:0AB ;
G00 X1 ;
G00 X2 ;
