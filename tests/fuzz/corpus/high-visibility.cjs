; High Visibility: yellow on black, the strongest pairing there is.
[Skin]
Name = High Visibility
Author = Marrowick
Format = 1

[Face]
Font = Arial
Weight = bold
TextColor = #FFFF00
Background = #000000
Digits = tabular

[Window]
Background = #000000
DarkTitleBar = yes
