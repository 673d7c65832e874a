[Skin]
Name = Every Key
Author = Someone ; a comment
Format = 1
[Face]
Font = Segoe UI, , Arial
Weight = 600
Italic = yes
TextColor = #aBcDeF
Background = none
Digits = proportional
Align = right
Outline = 10, #FFFFFF
Shadow = -20, 20.0, #000000FF
Corner = 0.25
[Window]
Background = #000001
Frame = standard
Opacity = 100
Corners = square
DarkTitleBar = no
[Dark]
Face.Font = Consolas
Face.Weight = normal
Face.Italic = no
Face.TextColor = #FFFFFF
Face.Background = #101010
Face.Digits = tabular
Face.Align = left
Face.Outline = 0, #000000
Face.Shadow = 1, 1, #00000080
Face.Corner = 100
Window.Background = #101010
Window.Frame = thin
Window.Opacity = 20
Window.Corners = round
Window.DarkTitleBar = yes
