[Face
TextColor=#GGGGGG
