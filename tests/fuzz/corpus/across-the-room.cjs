; Across the Room: a heavy face with digits of one width, so the time never shifts as it changes.
; Pick a large text size in the settings to read it from afar.
[Skin]
Name = Across the Room
Author = Marrowick
Format = 1

[Face]
Font = Arial Black, Arial
Weight = 900
TextColor = #0B3D91
Background = #FFFFFF
Digits = tabular
Align = center

[Window]
Background = #FFFFFF
Frame = thin
