[Window]
Opacity = 5
