garbage line
