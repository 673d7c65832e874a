[Skin]
Format = 2
