; Glass: no frame at all and a see-through window; drag the face to move it, click it for the settings.
[Skin]
Name = Glass
Author = Marrowick
Format = 1

[Face]
Font = Segoe UI Light, Segoe UI, Arial
Weight = normal
TextColor = #FFFFFF
Background = none
Outline = 0.5, #06223C
Shadow = 1, 1, #000000C0
Digits = tabular

[Window]
Background = #0A2A4A
Frame = none
Opacity = 70
Corners = round
