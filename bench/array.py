a = [0] * 100001
total = 0
for p in range(1, 11):
    for k in range(1, 100001):
        a[k] = k + p
    for k in range(1, 100001):
        total = total + a[k] - k
print(total)
