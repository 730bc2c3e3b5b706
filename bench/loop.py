i = 0
while i < 1000000:
    i = i + 1
print(i)
