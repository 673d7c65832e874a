[Skin]
Name = Caf√©
Author = √
