; Day and Night: light while Windows' apps are light, dark while they are dark; it switches at once.
[Skin]
Name = Day and Night
Author = Marrowick
Format = 1

[Face]
Font = Segoe UI, Arial
TextColor = #1A1A1A
Background = #F3F3F3
Digits = tabular
Corner = 4

[Window]
Background = #F3F3F3
DarkTitleBar = auto

[Dark]
Face.TextColor = #F0F0F0
Face.Background = #202020
Window.Background = #202020
