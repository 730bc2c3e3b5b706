local a = {}
for k = 1, 100000 do a[k] = 0 end
local sum = 0
for pass = 1, 10 do
  for k = 1, 100000 do
    a[k] = k + pass
  end
  for k = 1, 100000 do
    sum = sum + a[k] - k
  end
end
print(sum)
