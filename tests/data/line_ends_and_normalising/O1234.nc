g2x1
(cls)
