[Face]
Shadow = 1, -2.5, #FF000080 ; comment
Outline = 0.5, #00ff00
Corner = 100
[Dark]
Face.Digits = proportional
Window.Frame = thin
