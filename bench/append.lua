local s = ""
for k = 1, 200000 do
  s = s .. "x"
end
print(#s)
