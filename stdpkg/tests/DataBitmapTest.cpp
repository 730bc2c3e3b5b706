#include "BitmapFixtures.h"
#include "CallRecord.h"
#include "DataBitmap.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <cstdio>
#include <string>

namespace {

std::string TempPath(const char* name) { return ::testing::TempDir() + name; }

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::vector<unsigned char> ReadBytes(const std::string& path)
{
    std::vector<unsigned char> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
    std::fclose(f);
    return bytes;
}

bool HasCode(const CStatus& s, const char* code) { return s.GetStatusMessage().Find(code) >= 0; }

TEST(BitmapHeaders, LayoutIsTheWindowsOne)
{
    EXPECT_EQ(offsetof(tagBMP_FILE_HDR, bfType), 0u);
    EXPECT_EQ(offsetof(tagBMP_FILE_HDR, bfSize), 2u);
    EXPECT_EQ(offsetof(tagBMP_FILE_HDR, bfReserved1), 6u);
    EXPECT_EQ(offsetof(tagBMP_FILE_HDR, bfReserved2), 8u);
    EXPECT_EQ(offsetof(tagBMP_FILE_HDR, bfOffBits), 10u);
    EXPECT_EQ(offsetof(tagBMP_INFO_HDR, biWidth), 4u);
    EXPECT_EQ(offsetof(tagBMP_INFO_HDR, biHeight), 8u);
    EXPECT_EQ(offsetof(tagBMP_INFO_HDR, biPlanes), 12u);
    EXPECT_EQ(offsetof(tagBMP_INFO_HDR, biBitCount), 14u);
    EXPECT_EQ(offsetof(tagBMP_INFO_HDR, biCompression), 16u);
    EXPECT_EQ(offsetof(tagBMP_INFO_HDR, biSizeImage), 20u);
    EXPECT_EQ(offsetof(tagBMP_INFO_HDR, biXPelsPerMeter), 24u);
    EXPECT_EQ(offsetof(tagBMP_INFO_HDR, biClrImportant), 36u);
}

TEST(BitmapBuffer, SetBitmapCopiesAndCopiesNeverShare)
{
    CDataBitmap a;
    EXPECT_EQ(a.GetString(), "Bitmap");
    EXPECT_EQ(a.GetBufferLength(), 0);
    MakeBitmap(a, 2, 2, 24, 7);
    EXPECT_EQ(a.GetBufferLength(), 12);
    EXPECT_EQ(a.GetInfoHeader().biWidth, 2);

    CDataBitmap b(a);
    CDataBitmap c;
    c = a;
    CDataBitmap d;
    EXPECT_TRUE(d.CopyData(&a));
    for (CDataBitmap* copy : {&b, &c, &d}) {
        EXPECT_NE(copy->GetBuffer(), a.GetBuffer());
        copy->Invert();
        EXPECT_EQ(a.GetBuffer()[0], 7);
    }
    EXPECT_TRUE(a.CopyData(&a));  // self-copy keeps the pixels
    EXPECT_EQ(a.GetBuffer()[11], 7);

    // An empty source empties the copy, headers included.
    CDataBitmap empty;
    EXPECT_TRUE(b.CopyData(&empty));
    EXPECT_EQ(b.GetBufferLength(), 0);
    EXPECT_EQ(b.GetInfoHeader().biWidth, 0);

    // SetBitmap with no pixels keeps the old headers and empties the buffer.
    tagBMP_FILE_HDR fh{};
    tagBMP_INFO_HDR ih{};
    EXPECT_EQ(c.SetBitmap(fh, ih, nullptr, 12), 0);
    EXPECT_EQ(c.GetBufferLength(), 0);
    EXPECT_EQ(c.GetInfoHeader().biWidth, 2);
    CDataInt notABitmap(1);
    EXPECT_FALSE(c.CopyData(&notABitmap));
}

TEST(BitmapFile, SaveAndLoadRoundTrip)
{
    CDataBitmap a;
    MakeBitmap(a, 4, 3, 24, 0);
    ASSERT_TRUE(a.SetPixels(1, 1, 1, 1, 30, 20, 10));
    String path = TempPath("roundtrip.bmp").c_str();
    ASSERT_TRUE(a.SaveToFile(path));
    const auto bytes = ReadBytes(path.c_str());
    ASSERT_EQ(bytes.size(), 54u + 36u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[18], 4);  // biWidth
    EXPECT_EQ(bytes[22], 3);  // biHeight

    CDataBitmap b;
    ASSERT_TRUE(b.LoadFromFile(path));
    int out = 1;
    EXPECT_TRUE(a.operator_compare(&b, out));
    EXPECT_EQ(out, 0);
    ASSERT_TRUE(b.SetPixels(0, 0, 0, 0, 1, 1, 1));
    a.operator_compare(&b, out);
    EXPECT_EQ(out, -1);

    CDataBitmap empty;
    String emptyPath = TempPath("empty.bmp").c_str();
    EXPECT_TRUE(empty.SaveToFile(emptyPath));
    EXPECT_EQ(ReadBytes(emptyPath.c_str()).size(), 54u);
}

TEST(BitmapFile, ShortAndGarbageFiles)
{
    CDataBitmap a;
    MakeBitmap(a, 4, 4, 32, 9);
    String path = TempPath("full.bmp").c_str();
    ASSERT_TRUE(a.SaveToFile(path));
    const auto full = ReadBytes(path.c_str());

    struct Case {
        size_t keep;
        const char* code;
    } cases[] = {{0, "(3502)"}, {13, "(3502)"}, {14, "(3503)"}, {53, "(3503)"}, {54, "(3504)"}, {60, "(3504)"}};
    for (const Case& k : cases) {
        String cut = TempPath("cut.bmp").c_str();
        WriteBytes(cut.c_str(), std::vector<unsigned char>(full.begin(), full.begin() + static_cast<long>(k.keep)));
        CDataBitmap b;
        CStatus s = b.LoadFromFile(cut);
        EXPECT_EQ(s.GetState(), 0) << k.keep;
        EXPECT_TRUE(HasCode(s, k.code)) << k.keep << " " << s.GetStatusMessage().c_str();
        EXPECT_LE(b.GetBufferLength(), static_cast<int>(k.keep > 54 ? k.keep - 54 : 0));
    }

    // biSizeImage far beyond the file: an error, and no huge allocation.
    auto huge = full;
    huge[34] = huge[35] = huge[36] = 0xFF;
    huge[37] = 0x7F;
    String hugePath = TempPath("huge.bmp").c_str();
    WriteBytes(hugePath.c_str(), huge);
    CDataBitmap h;
    EXPECT_TRUE(HasCode(h.LoadFromFile(hugePath), "(3504)"));
    EXPECT_EQ(h.GetBufferLength(), 64);

    String missing = TempPath("no/such/dir/x.bmp").c_str();
    EXPECT_FALSE(h.LoadFromFile(missing));
}

TEST(BitmapFile, HeaderDescribingMoreThanTheBufferNeverReadsOutside)
{
    // biSizeImage 0: the load succeeds with no pixels; pixel operations
    // that need pixels fail with 5139, whole-buffer ones do nothing.
    CDataBitmap a;
    MakeBitmap(a, 8, 8, 32, 1);
    std::vector<unsigned char> bytes(54, 0);
    std::memcpy(bytes.data(), &a.GetFileHeader(), 14);
    tagBMP_INFO_HDR ih = a.GetInfoHeader();
    ih.biSizeImage = 0;
    std::memcpy(bytes.data() + 14, &ih, 40);
    String path = TempPath("zero.bmp").c_str();
    WriteBytes(path.c_str(), bytes);
    CDataBitmap z;
    ASSERT_TRUE(z.LoadFromFile(path));
    EXPECT_EQ(z.GetBufferLength(), 0);
    int r, g, b;
    EXPECT_TRUE(HasCode(z.GetColorAt(1, 1, r, g, b), "(5139)"));
    EXPECT_TRUE(HasCode(z.SetPixels(0, 0, 7, 7, 1, 2, 3), "(5139)"));
    bool found = true;
    int x = 0, y = 0;
    CDataBitmap pattern;
    MakeBitmap(pattern, 2, 2, 32, 1);
    EXPECT_TRUE(HasCode(z.FindPattern(x, y, pattern, found), "(5139)"));
    EXPECT_FALSE(found);
    EXPECT_TRUE(HasCode(z.Blit(0, 0, pattern, nullptr), "(5139)"));
    EXPECT_TRUE(HasCode(a.Blit(0, 0, z, nullptr), "(5139)"));
    z.Invert();
    z.ZeroPixels();
    EXPECT_TRUE(z.ReplaceColor(false, 0, 0, 0, 1, 1, 1));

    // A buffer one row short: the last row is refused, the others work.
    CDataBitmap shortBuffer;
    MakeBitmap(shortBuffer, 4, 4, 24, 5, 4 * 3 * 3);
    EXPECT_TRUE(shortBuffer.GetColorAt(3, 2, r, g, b));
    EXPECT_TRUE(HasCode(shortBuffer.GetColorAt(0, 3, r, g, b), "(5139)"));
    EXPECT_TRUE(HasCode(shortBuffer.SetPixels(0, 0, 0, 3, 1, 1, 1), "(5139)"));
    EXPECT_EQ(shortBuffer.GetBuffer()[0], 5);  // nothing written before the refusal

    // A mask with the source's size but fewer bytes.
    CDataBitmap source, mask, target;
    MakeBitmap(source, 2, 2, 24, 1);
    MakeBitmap(mask, 2, 2, 24, 255, 6);
    MakeBitmap(target, 4, 4, 24, 0);
    EXPECT_TRUE(HasCode(target.Blit(0, 0, source, &mask), "(5139)"));
}

// Cases the garbage-BMP fuzz loop turned up: offsets of huge headers
// overflowed 64 bits, and a 0-bit image of huge size made blit loop for
// ages while every offset stayed 0.
TEST(BitmapFile, HugeHeadersFailFast)
{
    CDataBitmap wide;
    MakeBitmap(wide, 4, 4, 32, 0, 64);
    tagBMP_FILE_HDR fh = wide.GetFileHeader();
    tagBMP_INFO_HDR ih = wide.GetInfoHeader();
    ih.biWidth = 0x7FFFFFFF;
    ih.biHeight = 0x7FFFFFFF;
    std::vector<unsigned char> bits(64, 1);
    ASSERT_EQ(wide.SetBitmap(fh, ih, bits.data(), 64), 1);
    int r, g, b;
    EXPECT_TRUE(HasCode(wide.GetColorAt(2049635312, 2049635312, r, g, b), "(5139)"));
    EXPECT_TRUE(HasCode(wide.SetPixels(0, 2049635312, 5, 2049635312, 1, 1, 1), "(5139)"));

    ih.biBitCount = 0;
    CDataBitmap flat, target;
    ASSERT_EQ(flat.SetBitmap(fh, ih, bits.data(), 64), 1);
    ASSERT_EQ(target.SetBitmap(fh, ih, bits.data(), 64), 1);
    EXPECT_TRUE(HasCode(target.Blit(0, 0, flat, nullptr), "(5139)"));
    bool found = true;
    int x = 0, y = 0;
    CDataBitmap small;
    ih.biWidth = ih.biHeight = 2;
    ASSERT_EQ(small.SetBitmap(fh, ih, bits.data(), 64), 1);
    EXPECT_TRUE(HasCode(target.FindPattern(x, y, small, found), "(5139)"));
}

TEST(BitmapPixels, GetColorAtAndSetPixels)
{
    CDataBitmap a;
    MakeBitmap(a, 8, 10, 24, 0);
    int r = 0, g = 0, b = 0;
    EXPECT_TRUE(HasCode(a.GetColorAt(-1, 0, r, g, b), "(5138)"));
    EXPECT_TRUE(HasCode(a.GetColorAt(8, 0, r, g, b), "(5138)"));
    EXPECT_TRUE(HasCode(a.GetColorAt(0, 10, r, g, b), "(5138)"));

    ASSERT_TRUE(a.SetPixels(5, 7, 5, 7, 255, 0, 0));
    for (int i = 0; i < a.GetBufferLength(); ++i)
        EXPECT_EQ(a.GetBuffer()[i], i == a.GetPixelIndex(5, 7) + 2 ? 255 : 0) << i;

    a.GetBuffer()[a.GetPixelIndex(1, 1)] = 10;
    a.GetBuffer()[a.GetPixelIndex(1, 1) + 1] = 20;
    a.GetBuffer()[a.GetPixelIndex(1, 1) + 2] = 30;
    ASSERT_TRUE(a.GetColorAt(1, 1, r, g, b));
    EXPECT_EQ(r, 30);
    EXPECT_EQ(g, 20);
    EXPECT_EQ(b, 10);

    EXPECT_TRUE(HasCode(a.SetPixels(0, 2, 0, 1, 1, 1, 1), "(5114)"));
    EXPECT_TRUE(HasCode(a.SetPixels(4, 0, 2, 0, 1, 1, 1), "(5115)"));
    EXPECT_TRUE(HasCode(a.SetPixels(0, 0, 0, 0, 256, 1, 1), "(5113)"));
    EXPECT_TRUE(HasCode(a.SetPixels(0, 0, 8, 0, 1, 1, 1), "(5112)"));
    EXPECT_TRUE(HasCode(a.SetPixels(-1, 0, 0, 0, 1, 1, 1), "(5112)"));
    CDataBitmap gray;
    MakeBitmap(gray, 4, 4, 16, 0);
    EXPECT_TRUE(HasCode(gray.SetPixels(0, 0, 0, 0, 1, 1, 1), "(5116)"));
    CDataBitmap deep;
    MakeBitmap(deep, 2, 2, 48, 0);
    EXPECT_TRUE(HasCode(deep.SetPixels(0, 0, 0, 0, 1, 1, 1), "(5117)"));
}

TEST(BitmapPixels, SetPixelsRangesThroughTheProcessor)
{
    CDataBitmap a;
    MakeBitmap(a, 6, 3, 24, 0);
    CallRecord c("SetPixels");
    c.IntArray({2, 4}).IntArray({1, 1}).Int(1).Int(2).Int(3).Run(a);
    EXPECT_TRUE(c.Status().IsSuccess());
    int set = 0;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            int r, g, b;
            a.GetColorAt(x, y, r, g, b);
            if (r == 1 && g == 2 && b == 3) {
                ++set;
                EXPECT_EQ(y, 1);
                EXPECT_TRUE(x >= 2 && x <= 4);
            }
        }
    EXPECT_EQ(set, 3);
    CallRecord bad("SetPixels");
    bad.IntArray({4, 2}).IntArray({1, 1}).Int(1).Int(2).Int(3).Run(a);
    EXPECT_TRUE(HasCode(bad.Status(), "(5115)"));

    CallRecord color("GetColorAt");
    color.Int(3).Int(1).Run(a);
    ASSERT_EQ(color.Result()->GetNumElems(), 3);
    EXPECT_EQ(color.ResultElement(0), 1);
    EXPECT_EQ(color.ResultElement(1), 2);
    EXPECT_EQ(color.ResultElement(2), 3);
}

TEST(BitmapPixels, InvertAndReplace)
{
    CDataBitmap a;
    MakeBitmap(a, 3, 2, 32, 0);
    for (int i = 0; i < a.GetBufferLength(); ++i) a.GetBuffer()[i] = static_cast<unsigned char>(i * 7);
    CDataBitmap original(a);
    a.Invert();
    for (int i = 0; i < a.GetBufferLength(); ++i)
        EXPECT_EQ(a.GetBuffer()[i], i % 4 == 3 ? i * 7 : 255 - i * 7) << i;
    a.Invert();
    int out = 1;
    a.operator_compare(&original, out);
    EXPECT_EQ(out, 0);

    CDataBitmap c;
    MakeBitmap(c, 3, 1, 24, 0);
    ASSERT_TRUE(c.SetPixels(1, 0, 1, 0, 9, 9, 9));
    ASSERT_TRUE(c.ReplaceColor(false, 0, 0, 0, 1, 2, 3));
    int r, g, b;
    c.GetColorAt(0, 0, r, g, b);
    EXPECT_EQ(r * 100 + g * 10 + b, 123);
    c.GetColorAt(1, 0, r, g, b);
    EXPECT_EQ(r, 9);
    ASSERT_TRUE(c.ReplaceColor(true, 9, 9, 9, 7, 7, 7));
    c.GetColorAt(0, 0, r, g, b);
    EXPECT_EQ(r, 7);
    c.GetColorAt(1, 0, r, g, b);
    EXPECT_EQ(r, 9);

    CDataBitmap low;
    MakeBitmap(low, 4, 4, 8, 0);
    EXPECT_TRUE(HasCode(low.ReplaceColor(false, 0, 0, 0, 1, 1, 1), "(5136)"));
    EXPECT_TRUE(HasCode(low.ReplaceColor(true, 0, 0, 0, 1, 1, 1), "(5134)"));
    EXPECT_TRUE(HasCode(low.ReplaceColor(false, 256, 0, 0, 1, 1, 1), "(5137)"));
    EXPECT_TRUE(HasCode(low.ReplaceColor(true, 0, 0, 0, 1, 1, -1), "(5135)"));
}

TEST(BitmapBlit, MaskAndErrors)
{
    CDataBitmap target, source, mask;
    MakeBitmap(target, 4, 4, 32, 0x11);
    MakeBitmap(source, 2, 2, 24, 0xF0);
    MakeBitmap(mask, 2, 2, 24, 0xFF);
    // Mask: blue channel 0 (keep), green 0x0F (AND), red 0xFF (copy).
    for (int i = 0; i < mask.GetBufferLength(); i += 3) {
        mask.GetBuffer()[i] = 0;
        mask.GetBuffer()[i + 1] = 0x0F;
    }
    ASSERT_TRUE(target.Blit(2, 2, source, &mask));
    const unsigned char* p = target.GetBuffer() + target.GetPixelIndex(3, 3);
    EXPECT_EQ(p[0], 0x11);
    EXPECT_EQ(p[1], 0x00);
    EXPECT_EQ(p[2], 0xF0);
    EXPECT_EQ(p[3], 0x11);  // the fourth byte is never written
    EXPECT_EQ(target.GetBuffer()[target.GetPixelIndex(1, 1) + 2], 0x11);

    ASSERT_TRUE(target.Blit(0, 0, source, nullptr));
    EXPECT_EQ(target.GetBuffer()[target.GetPixelIndex(1, 1)], 0xF0);

    CDataBitmap wrongMask;
    MakeBitmap(wrongMask, 3, 2, 24, 0);
    EXPECT_TRUE(HasCode(target.Blit(0, 0, source, &wrongMask), "(5132)"));
    EXPECT_TRUE(HasCode(target.Blit(3, 0, source, nullptr), "(5131)"));
    EXPECT_TRUE(HasCode(target.Blit(-1, 0, source, nullptr), "(5130)"));
}

TEST(BitmapFind, FitBeforeSignAndWriteBack)
{
    CDataBitmap image, pattern;
    MakeBitmap(image, 6, 5, 24, 0);
    ASSERT_TRUE(image.SetPixels(3, 2, 4, 3, 200, 100, 50));
    MakeBitmap(pattern, 2, 2, 24, 0);
    ASSERT_TRUE(pattern.SetPixels(0, 0, 1, 1, 200, 100, 50));

    bool found = false;
    int x = 0, y = 0;
    ASSERT_TRUE(image.FindPattern(x, y, pattern, found));
    EXPECT_TRUE(found);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 2);
    x = 4, y = 0;  // starts right of the match: every row starts at column 4
    ASSERT_TRUE(image.FindPattern(x, y, pattern, found));
    EXPECT_FALSE(found);

    x = -1, y = 0;
    EXPECT_TRUE(HasCode(image.FindPattern(x, y, pattern, found), "(5133)"));
    x = 5, y = 0;  // 5 + 2 > 6: false, no error
    EXPECT_TRUE(image.FindPattern(x, y, pattern, found));
    EXPECT_FALSE(found);

    CDataBitmap same(image);
    x = 0, y = 0;
    ASSERT_TRUE(image.FindPattern(x, y, same, found));
    EXPECT_TRUE(found);
    x = 1;
    ASSERT_TRUE(image.FindPattern(x, y, same, found));
    EXPECT_FALSE(found);

    CDataBitmap deeper;
    MakeBitmap(deeper, 2, 2, 32, 0);
    x = 0;
    EXPECT_TRUE(HasCode(image.FindPattern(x, y, deeper, found), "(5140)"));

    CallRecord c("Find");
    c.Int(0).Int(0).Value(pattern).Run(image);
    EXPECT_TRUE(c.ResultBool());
    EXPECT_EQ(static_cast<CDataInt*>(c.Param(0).GetWorkingData())->Data, 3);
    EXPECT_EQ(static_cast<CDataInt*>(c.Param(1).GetWorkingData())->Data, 2);
    CallRecord miss("Find");
    miss.Int(5).Int(4).Value(pattern).Run(image);
    EXPECT_FALSE(miss.ResultBool());
    EXPECT_EQ(static_cast<CDataInt*>(miss.Param(0).GetWorkingData())->Data, 5);
}

TEST(BitmapType, MemberFunctionsAndRegistration)
{
    CDataBitmap a;
    const int type = CDataBitmap::GetRegisteredType();
    ASSERT_NE(type, 0);
    EXPECT_EQ(a.GetType(), type);
    EXPECT_EQ(a.GetTypeName(), "bitmap");
    const auto* functions = Factory_GetMemberFunctions(type);
    ASSERT_NE(functions, nullptr);
    ASSERT_EQ(functions->size(), 17u);
    EXPECT_EQ((*functions)[13].Name, "FindSimilar");  // the additions follow the original thirteen
    EXPECT_EQ((*functions)[16].Name, "Crop");
    EXPECT_EQ((*functions)[0].Name, "Save");
    EXPECT_EQ((*functions)[6].Name, "blit");
    EXPECT_EQ((*functions)[6].GetNumParams(), 4);
    EXPECT_EQ((*functions)[12].Name, "GetColorAt");

    MakeBitmap(a, 7, 3, 32, 0);
    CallRecord w("GetWidth"), h("GetHeight");
    EXPECT_EQ(w.Run(a).ResultInt(), 7);
    EXPECT_EQ(h.Run(a).ResultInt(), 3);
    CallRecord other("getwidth");
    EXPECT_EQ(other.Run(a).ResultData(), nullptr);
    CDataInt one(1);
    int out = 5;
    EXPECT_FALSE(a.operator_compare(&one, out));
}

}  // namespace
