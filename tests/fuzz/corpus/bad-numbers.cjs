[Face]
Shadow = 21, 0, #000000
Corner = 1,5
[Window]
Opacity = 50.5
