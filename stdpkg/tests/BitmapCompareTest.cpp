// The bitmap type's tolerant search, difference count, diff image, crop and
// PNG files, through the member functions and the script processor.
#include "BitmapFixtures.h"
#include "CallRecord.h"
#include "DataBitmap.h"
#include "PngFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

bool HasCode(const CStatus& s, const char* code) { return s.GetStatusMessage().Find(code) >= 0; }

std::vector<int> Color(CDataBitmap& b, int x, int y)
{
    int r = -1, g = -1, bl = -1;
    EXPECT_TRUE(b.GetColorAt(x, y, r, g, bl));
    return {r, g, bl};
}

// FindSimilar keeps Find's rules: the fit is checked before the sign of the
// start, the position is written back, and a pattern as large as the image
// is found only from (0, 0). Its own errors carry codes of their own.
TEST(BitmapCompare, FindSimilarRulesAndErrors)
{
    CDataBitmap image, pattern;
    MakeBitmap(image, 6, 5, 32, 10);
    MakeBitmap(pattern, 2, 2, 32, 13);  // 3 levels from every image byte
    bool found = false;
    int x = 0, y = 0;
    ASSERT_TRUE(image.FindSimilar(x, y, pattern, 3, found));
    EXPECT_TRUE(found);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    x = 0, y = 0;
    ASSERT_TRUE(image.FindSimilar(x, y, pattern, 2, found));
    EXPECT_FALSE(found);
    ASSERT_TRUE(image.FindPattern(x, y, pattern, found));
    EXPECT_FALSE(found);

    x = -1, y = 0;
    EXPECT_TRUE(HasCode(image.FindSimilar(x, y, pattern, 3, found), "(5133)"));
    x = 5, y = 0;  // 5 + 2 > 6: false without error, as Find
    EXPECT_TRUE(image.FindSimilar(x, y, pattern, 3, found));
    EXPECT_FALSE(found);
    x = 0;
    EXPECT_TRUE(HasCode(image.FindSimilar(x, y, pattern, 256, found), "(5901)"));
    EXPECT_TRUE(HasCode(image.FindSimilar(x, y, pattern, -1, found), "(5901)"));
    CDataBitmap shallow;
    MakeBitmap(shallow, 2, 2, 24, 10);
    EXPECT_TRUE(HasCode(image.FindSimilar(x, y, shallow, 0, found), "(5902)"));

    CDataBitmap same(image);
    same.SetPixels(5, 4, 5, 4, 14, 10, 10);
    x = 0, y = 0;
    ASSERT_TRUE(image.FindSimilar(x, y, same, 4, found));
    EXPECT_TRUE(found);
    x = 1;
    ASSERT_TRUE(image.FindSimilar(x, y, same, 4, found));
    EXPECT_FALSE(found);

    // A pattern at each corner is found from (0, 0).
    for (int corner = 0; corner < 4; ++corner) {
        CDataBitmap img;
        MakeBitmap(img, 7, 6, 24, 200);
        const int cx = corner % 2 ? 5 : 0, cy = corner / 2 ? 4 : 0;
        img.SetPixels(cx, cy, cx + 1, cy + 1, 20, 30, 40);
        CDataBitmap p;
        MakeBitmap(p, 2, 2, 24, 0);
        p.SetPixels(0, 0, 1, 1, 22, 28, 40);
        x = 0, y = 0;
        ASSERT_TRUE(img.FindSimilar(x, y, p, 2, found));
        EXPECT_TRUE(found) << corner;
        EXPECT_EQ(x, cx);
        EXPECT_EQ(y, cy);
    }

    CallRecord c("FindSimilar");
    c.Int(0).Int(0).Value(pattern).Int(3).Run(image);
    EXPECT_TRUE(c.ResultBool());
    EXPECT_EQ(static_cast<CDataInt*>(c.Param(0).GetWorkingData())->Data, 0);
    CallRecord bad("FindSimilar");
    bad.Int(0).Int(0).Value(pattern).Int(300).Run(image);
    EXPECT_TRUE(HasCode(bad.Status(), "(5901)"));
}

TEST(BitmapCompare, CountDifferencesAndDiffImage)
{
    CDataBitmap a, b;
    MakeBitmap(a, 5, 4, 32, 90);
    MakeBitmap(b, 5, 4, 32, 90);
    EXPECT_TRUE(b.SetPixels(1, 1, 1, 1, 95, 90, 90));   // red +5
    EXPECT_TRUE(b.SetPixels(3, 2, 4, 2, 90, 90, 200));  // two very different pixels
    int64_t count = -1;
    ASSERT_TRUE(a.CountDifferences(b, 0, count));
    EXPECT_EQ(count, 3);
    ASSERT_TRUE(a.CountDifferences(b, 5, count));
    EXPECT_EQ(count, 2);
    ASSERT_TRUE(a.CountDifferences(b, 255, count));
    EXPECT_EQ(count, 0);

    CDataBitmap diff;
    ASSERT_TRUE(a.DiffImage(b, 5, diff));
    EXPECT_EQ(diff.GetInfoHeader().biWidth, 5);
    EXPECT_EQ(diff.GetInfoHeader().biHeight, 4);
    EXPECT_EQ(Color(diff, 3, 2), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(Color(diff, 4, 2), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(Color(diff, 1, 1), (std::vector<int>{200, 200, 200}));  // within: 170 + 90 / 3
    EXPECT_EQ(Color(diff, 0, 0), (std::vector<int>{200, 200, 200}));
    EXPECT_EQ(Color(a, 0, 0), (std::vector<int>{90, 90, 90}));  // the operands stay

    CDataBitmap small, shallow, eight, eightOther;
    MakeBitmap(small, 4, 4, 32, 90);
    MakeBitmap(shallow, 5, 4, 24, 90);
    MakeBitmap(eight, 5, 4, 8, 1);
    MakeBitmap(eightOther, 5, 4, 8, 9);
    EXPECT_TRUE(HasCode(a.CountDifferences(small, 0, count), "(5903)"));
    EXPECT_TRUE(HasCode(a.DiffImage(small, 0, diff), "(5903)"));
    EXPECT_TRUE(HasCode(a.CountDifferences(shallow, 0, count), "(5902)"));
    EXPECT_TRUE(HasCode(a.CountDifferences(b, 256, count), "(5901)"));
    ASSERT_TRUE(eight.CountDifferences(eightOther, 7, count));
    EXPECT_EQ(count, 20);
    EXPECT_TRUE(HasCode(eight.DiffImage(eightOther, 0, diff), "(5904)"));

    CDataBitmap shortBuffer;
    MakeBitmap(shortBuffer, 5, 4, 32, 90, 40);  // half the rows
    EXPECT_TRUE(HasCode(a.CountDifferences(shortBuffer, 0, count), "(5139)"));
    // Headers far beyond the buffer: refused without overflowing the size.
    CDataBitmap huge, hugeToo;
    MakeBitmap(huge, 0x7FFFFFFF, 0x7FFFFFFF, 32, 0, 64);
    MakeBitmap(hugeToo, 0x7FFFFFFF, 0x7FFFFFFF, 32, 0, 64);
    EXPECT_TRUE(HasCode(huge.CountDifferences(hugeToo, 0, count), "(5139)"));
    EXPECT_TRUE(HasCode(huge.DiffImage(hugeToo, 0, diff), "(5139)"));
    EXPECT_TRUE(HasCode(huge.Crop(0, 0, 1, 1, diff), "(5139)"));

    CallRecord c("CountDifferences");
    c.Value(b).Int(5).Run(a);
    EXPECT_EQ(c.ResultInt(), 2);
    CallRecord d("DiffImage");
    d.Value(b).Int(5).Run(a);
    ASSERT_NE(d.ResultData(), nullptr);
    CDataBitmap* shown = static_cast<CDataBitmap*>(d.ResultData());
    EXPECT_EQ(Color(*shown, 4, 2), (std::vector<int>{255, 0, 0}));
}

TEST(BitmapCompare, CropAtTheEdgesAndOutside)
{
    CDataBitmap a;
    MakeBitmap(a, 6, 4, 24, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) a.SetPixels(x, y, x, y, x * 10, y * 10, 7);
    CDataBitmap part;
    ASSERT_TRUE(a.Crop(4, 2, 2, 2, part));  // the top-right corner
    EXPECT_EQ(part.GetInfoHeader().biWidth, 2);
    EXPECT_EQ(part.GetInfoHeader().biHeight, 2);
    EXPECT_EQ(part.GetInfoHeader().biSizeImage, 12u);
    EXPECT_EQ(Color(part, 0, 0), (std::vector<int>{40, 20, 7}));
    EXPECT_EQ(Color(part, 1, 1), (std::vector<int>{50, 30, 7}));
    ASSERT_TRUE(a.Crop(0, 0, 6, 4, part));
    int out = 1;
    a.operator_compare(&part, out);
    EXPECT_EQ(out, 0);
    ASSERT_TRUE(a.Crop(0, 0, 1, 1, part));
    EXPECT_EQ(Color(part, 0, 0), (std::vector<int>{0, 0, 7}));

    for (auto r : {std::vector<int>{5, 0, 2, 1}, {0, 3, 1, 2}, {-1, 0, 1, 1}, {0, -1, 1, 1}, {0, 0, 0, 1},
                   {0, 0, 1, -1}, {6, 0, 1, 1}, {0x7FFFFFFF, 0, 1, 1}, {1, 1, 0x7FFFFFFF, 1}})
        EXPECT_TRUE(HasCode(a.Crop(r[0], r[1], r[2], r[3], part), "(5905)")) << r[0] << "," << r[1];

    CallRecord c("Crop");
    c.Int(1).Int(1).Int(2).Int(3).Run(a);
    ASSERT_NE(c.ResultData(), nullptr);
    EXPECT_EQ(static_cast<CDataBitmap*>(c.ResultData())->GetInfoHeader().biHeight, 3);
}

TEST(BitmapPng, RoundTripKeepsEveryByte)
{
    std::mt19937 rng(3);
    CDataBitmap a;
    MakeBitmap(a, 7, 5, 32, 0);
    for (int i = 0; i < a.GetBufferLength(); ++i) a.GetBuffer()[i] = static_cast<unsigned char>(rng());
    String path = (::testing::TempDir() + "roundtrip.PNG").c_str();
    ASSERT_TRUE(a.SaveToFile(path));
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char magic[8] = {};
    EXPECT_EQ(std::fread(magic, 1, 8, f), 8u);
    std::fclose(f);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(magic + 1), 3), "PNG");
    CDataBitmap b;
    ASSERT_TRUE(b.LoadFromFile(path));
    EXPECT_EQ(b.GetInfoHeader().biBitCount, 32);
    EXPECT_EQ(b.GetInfoHeader().biWidth, 7);
    EXPECT_EQ(b.GetInfoHeader().biHeight, 5);
    int out = 1;
    a.operator_compare(&b, out);
    EXPECT_EQ(out, 0);

    // 24-bit pictures come back as 32-bit with the same colours, rows in
    // the same order (row 0 stays the bottom row).
    CDataBitmap c, d;
    MakeBitmap(c, 3, 2, 24, 0);
    c.SetPixels(2, 0, 2, 0, 1, 2, 3);
    c.SetPixels(0, 1, 0, 1, 250, 128, 9);
    String path24 = (::testing::TempDir() + "rgb.png").c_str();
    ASSERT_TRUE(c.SaveToFile(path24));
    ASSERT_TRUE(d.LoadFromFile(path24));
    EXPECT_EQ(d.GetInfoHeader().biBitCount, 32);
    EXPECT_EQ(Color(d, 2, 0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Color(d, 0, 1), (std::vector<int>{250, 128, 9}));
    EXPECT_EQ(d.GetBuffer()[3], 0);  // opaque

    CDataBitmap eight, empty;
    MakeBitmap(eight, 2, 2, 8, 0);
    EXPECT_TRUE(HasCode(eight.SaveToFile(path24), "(5908)"));
    MakeBitmap(empty, 0, 3, 32, 0, 4);  // headers of a zero-width image
    EXPECT_TRUE(HasCode(empty.SaveToFile(path24), "(5909)"));
}

TEST(BitmapPng, DamagedFilesAreErrors)
{
    CDataBitmap a;
    MakeBitmap(a, 16, 9, 32, 0);
    for (int i = 0; i < a.GetBufferLength(); ++i) a.GetBuffer()[i] = static_cast<unsigned char>(i * 7);
    String path = (::testing::TempDir() + "good.png").c_str();
    ASSERT_TRUE(a.SaveToFile(path));
    std::vector<unsigned char> good;
    {
        FILE* f = std::fopen(path.c_str(), "rb");
        ASSERT_NE(f, nullptr);
        int ch;
        while ((ch = std::fgetc(f)) != EOF) good.push_back(static_cast<unsigned char>(ch));
        std::fclose(f);
    }
    CDataBitmap target;
    MakeBitmap(target, 2, 2, 24, 5);
    // Truncations: an error, or (when only the trailer is cut) the same
    // picture; random byte damage; a header claiming a huge image.
    std::mt19937 rng(11);
    for (size_t cut = 0; cut < good.size(); ++cut) {
        CDataBitmap back;
        const CStatus s = almanac::DecodePng(good.data(), static_cast<int>(cut), back);
        int out = 1;
        if (s) a.operator_compare(&back, out);
        EXPECT_TRUE(HasCode(s, "(5906)") || out == 0) << cut;
        if (cut < 41) {
            EXPECT_FALSE(s) << cut;  // signature, header and the start of the data
        }
    }
    EXPECT_FALSE(almanac::DecodePng(good.data(), 30, target));
    for (int round = 0; round < 400; ++round) {
        std::vector<unsigned char> bad = good;
        bad[rng() % bad.size()] ^= static_cast<unsigned char>(1 + rng() % 255);
        almanac::DecodePng(bad.data(), static_cast<int>(bad.size()), target);  // either result, never a crash
    }
    MakeBitmap(target, 2, 2, 24, 5);
    std::vector<unsigned char> huge = good;
    huge[16] = 0x00, huge[17] = 0x00, huge[18] = 0x7F, huge[19] = 0xFF;  // width 32767
    huge[20] = 0x00, huge[21] = 0x00, huge[22] = 0x7F, huge[23] = 0xFF;  // height 32767
    EXPECT_TRUE(HasCode(almanac::DecodePng(huge.data(), static_cast<int>(huge.size()), target), "(5906)"));
    // A failed load leaves the bitmap as it was.
    EXPECT_EQ(target.GetInfoHeader().biWidth, 2);
    EXPECT_EQ(target.GetInfoHeader().biBitCount, 24);

    String missing = (::testing::TempDir() + "no-such-file.png").c_str();
    EXPECT_FALSE(target.LoadFromFile(missing));
    EXPECT_TRUE(almanac::HasPngExtension("a.Png"));
    EXPECT_FALSE(almanac::HasPngExtension("png"));
    EXPECT_FALSE(almanac::HasPngExtension("a.png.bmp"));
}

}  // namespace
