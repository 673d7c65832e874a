[Face]
Font = ,,  , 
Align = middle
