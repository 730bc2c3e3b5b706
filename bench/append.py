s = ""
for k in range(200000):
    s = s + "x"
print(len(s))
