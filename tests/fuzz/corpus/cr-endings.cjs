[Window]Opacity = 80
[Later]Key = a;b[Window]Frame = none