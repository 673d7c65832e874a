; Night Outline: white digits drawn round with black, on a dark plate. The outline keeps the time
; readable whatever lies behind the window.
[Skin]
Name = Night Outline
Author = Marrowick
Format = 1

[Face]
Font = Segoe UI, Arial
Weight = bold
TextColor = #F5F5F5
Background = #202428
Outline = 1.5, #000000
Digits = tabular
Corner = 8

[Window]
Background = #202428
