#include "dib/cDIBImageList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using core::CanvasColor;
using dib::EDIBCompressError;
using dib::EDIBError;
using dib::TDIBImageLink;
using dib::TDIBImageList;
using dib::TMemoryDIB;

// Stored data of a w x h picture: header, then pixel k as the word
// 0xFF000000 + seed + k in stored order.
std::vector<uint8_t> storedData(int w, int h, uint32_t seed = 0) {
    std::vector<uint8_t> data = {static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8),
                                 static_cast<uint8_t>(h), static_cast<uint8_t>(h >> 8)};
    for (uint32_t k = 0; k < static_cast<uint32_t>(w * h); ++k) {
        const uint32_t pixel = 0xFF000000u + seed + k;
        for (int shift = 0; shift < 32; shift += 8)
            data.push_back(static_cast<uint8_t>(pixel >> shift));
    }
    return data;
}

// ------------------------------------------------------------ stored data

TEST(DIBData, WriteThenReadGivesThePictureBack) {
    TMemoryDIB picture(3, 2);
    picture.SetPixel(0, 1, core::PixelWord{0x11223344});  // bottom left: stored first
    picture.SetPixel(2, 0, core::PixelWord{0x55667788});  // top right: stored last
    const std::vector<uint8_t> data = dib::WriteData(picture);
    ASSERT_EQ(data.size(), 4u + 3 * 2 * 4);
    EXPECT_EQ((std::vector<uint8_t>(data.begin(), data.begin() + 8)),
              (std::vector<uint8_t>{3, 0, 2, 0, 0x44, 0x33, 0x22, 0x11}));
    EXPECT_EQ((std::vector<uint8_t>(data.end() - 4, data.end())),
              (std::vector<uint8_t>{0x88, 0x77, 0x66, 0x55}));

    TMemoryDIB copy;
    dib::ReadData(copy, data);
    EXPECT_EQ(dib::WriteData(copy), data);
    EXPECT_TRUE(dib::WriteData(TMemoryDIB{}).empty());  // no pixels, nothing written
}

TEST(DIBData, TheShipPictureReadsBackWithItsFirstPixel) {
    std::vector<uint8_t> data = storedData(14, 14);
    const uint8_t firstPixel[] = {0xB1, 0xA8, 0xA8, 0xFF};
    std::copy(std::begin(firstPixel), std::end(firstPixel), data.begin() + 4);
    ASSERT_EQ(data.size(), 788u);
    TMemoryDIB ship;
    int changes = 0;
    ship.OnChange = [&] { ++changes; };
    dib::ReadData(ship, data);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ship.Width(), 14);
    EXPECT_EQ(ship.Height(), 14);
    EXPECT_EQ(ship.Pixel(0, 13).value, 0xFFA8A8B1u);  // bottom left on screen
    EXPECT_EQ(ship.Pixel(13, 0).value, 0xFF000000u + 195);
    EXPECT_EQ(ship.TransparentColor(), CanvasColor::rgb(0xA8, 0xA8, 0xB1));
}

TEST(DIBData, ShortDataLeavesTheRestZeroAndEmptyDataChangesNothing) {
    TMemoryDIB picture(2, 2);
    picture.Fill(core::colors::white);
    std::vector<uint8_t> data = storedData(2, 2);
    data.resize(4 + 4 + 2);  // one pixel and two bytes of the next
    dib::ReadData(picture, data);
    EXPECT_EQ(picture.StoredRow(0)[0], 0xFF000000u);
    EXPECT_EQ(picture.StoredRow(0)[1], 0x00000001u);
    EXPECT_EQ(picture.StoredRow(1)[0], 0u);
    EXPECT_EQ(picture.StoredRow(1)[1], 0u);

    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    dib::ReadData(picture, {});
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(picture.StoredRow(0)[0], 0xFF000000u);
    EXPECT_THROW(dib::ReadData(picture, std::vector<uint8_t>{2, 0, 2}), EDIBError);
}

TEST(DIBData, CompressedDataFindsNoDecompressor) {
    std::vector<uint8_t> data = {'D', 'I', 'B', 'C', 'M', 'P'};
    data.resize(26, 0);
    TMemoryDIB picture(1, 1);
    try {
        dib::ReadData(picture, data);
        FAIL() << "compressed data was accepted";
    } catch (const EDIBCompressError& e) {
        EXPECT_STREQ(e.what(), "Could not find a suitable decompressor.");
    }
}

// ------------------------------------------------------------------- list

// A list shaped like the game's: nine entries, with Data kept alive here.
struct ImageListFixture : ::testing::Test {
    std::vector<std::vector<uint8_t>> data;
    std::vector<assets::StoredPicture> stored;
    TDIBImageList list;

    void SetUp() override {
        const std::string_view names[] = {"Shipet",       "Boxen",   "boxramp",
                                          "Mainmenuback", "theexit", "Bomb",
                                          "Landing",      "Enemy",   "TDIBImagesItem"};
        for (uint32_t i = 0; i < 9; ++i)
            data.push_back(storedData(2 + static_cast<int>(i), 3, 1000 * i));
        for (size_t i = 0; i < 9; ++i)
            stored.push_back(assets::StoredPicture{names[i], i != 3 && i != 8, i == 0,
                                                   i == 3 ? 394758 : 0, data[i]});
        dib::LoadStoredPictures(list, stored);
    }
};

TEST_F(ImageListFixture, StoredPicturesBecomeEntriesWithTheirSettings) {
    ASSERT_EQ(list.Count(), 9);
    EXPECT_EQ(list.Items(0).DisplayName, "Shipet");
    EXPECT_EQ(list.Items(8).DisplayName, "TDIBImagesItem");
    const TMemoryDIB& ship = list.Items(0).DIB();
    EXPECT_TRUE(ship.Transparent());
    EXPECT_EQ(ship.TransparentMode(), dib::tmFixed);
    EXPECT_EQ(ship.Width(), 2);
    EXPECT_EQ(ship.Height(), 3);
    const TMemoryDIB& menu = list.Items(3).DIB();
    EXPECT_FALSE(menu.Transparent());
    EXPECT_EQ(menu.TransparentMode(), dib::tmAuto);
    EXPECT_EQ(menu.StoredKey().value, 0x00060606u);
    EXPECT_EQ(menu.StoredRow(0)[0], 0xFF000000u + 3000);
    EXPECT_EQ(list.Add().DisplayName, "TDIBImagesItem");

    dib::LoadStoredPictures(list, std::span(stored).first(1));  // appends
    EXPECT_EQ(list.Count(), 11);
    EXPECT_EQ(list.Items(10).DisplayName, "Shipet");
}

TEST_F(ImageListFixture, ResolveLendsTheEntryWithoutCopyingOrChangingIt) {
    dib::TAbstractSuperDIB* lent = list.Resolve(4);
    ASSERT_NE(lent, nullptr);
    const TMemoryDIB& exit = list.Items(4).DIB();
    EXPECT_EQ(lent->Width(), 6);
    EXPECT_EQ(lent->StoredRow(0), exit.StoredRow(0));
    lent->SetAutoSize(true);
    lent->SetAngle(45);
    lent->SetScale(75);
    EXPECT_FALSE(exit.AutoSize());
    EXPECT_EQ(exit.Angle(), 0);
    EXPECT_EQ(exit.Scale(), 100);

    dib::TAbstractSuperDIB* again = list.Resolve(0);  // the same working image, new picture
    EXPECT_EQ(again, lent);
    EXPECT_EQ(again->Angle(), 0);
    EXPECT_EQ(again->Width(), 2);
    EXPECT_EQ(again->Transfer().rule, dib::TTransferRule::ColorKey);
}

TEST_F(ImageListFixture, OutOfRangeIndexOrMissingPixelsResolveToNothing) {
    EXPECT_EQ(list.Resolve(9), nullptr);
    EXPECT_EQ(list.Resolve(-1), nullptr);
    list.Add();
    EXPECT_EQ(list.Resolve(9), nullptr);  // an entry without pixels
    EXPECT_NE(list.Resolve(8), nullptr);

    TDIBImageLink link;
    link.SetDIBIndex(0);
    EXPECT_EQ(link.Resolve(), nullptr);  // no list
    link.SetDIBImageList(&list);
    EXPECT_NE(link.Resolve(), nullptr);
    link.SetDIBIndex(-1);
    EXPECT_EQ(link.Resolve(), nullptr);
}

struct LinkFixture : ImageListFixture {
    TDIBImageLink links[5];
    std::vector<int> told;

    void SetUp() override {
        ImageListFixture::SetUp();
        const int indices[5] = {0, 1, 2, 3, -1};
        for (int k = 0; k < 5; ++k) {
            links[k].SetDIBImageList(&list);
            links[k].SetDIBIndex(indices[k]);
            links[k].OnChange = [this, k] { told.push_back(k); };
        }
    }
    std::vector<int> indices() const {
        std::vector<int> result;
        for (const TDIBImageLink& link : links) result.push_back(link.DIBIndex());
        return result;
    }
};

TEST_F(LinkFixture, RemovingAnEntryClearsItsLinksAndMovesLaterOnesDown) {
    list.Delete(1);
    EXPECT_EQ(list.Count(), 8);
    EXPECT_EQ(indices(), (std::vector<int>{0, -1, 1, 2, -1}));
    EXPECT_EQ(told, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(links[2].Resolve()->StoredRow(0)[0], 0xFF000000u + 2000);  // still "boxramp"
    told.clear();
    list.Delete(8);
    list.Delete(-1);
    EXPECT_TRUE(told.empty());
}

TEST_F(LinkFixture, LinksFollowMovedEntries) {
    list.Move(0, 2);
    EXPECT_EQ(indices(), (std::vector<int>{2, 0, 1, 3, -1}));
    EXPECT_EQ(list.Items(2).DisplayName, "Shipet");
    list.Move(3, 1);
    EXPECT_EQ(indices(), (std::vector<int>{3, 0, 2, 1, -1}));
    EXPECT_EQ(list.Items(1).DisplayName, "Mainmenuback");
}

TEST_F(LinkFixture, ControlsHearOfTheirOwnEntrysChangesAndTheirOwnSettings) {
    list.Items(2).DIB().SetAngle(30);
    EXPECT_EQ(told, (std::vector<int>{2}));
    told.clear();
    links[4].SetDIBIndex(4);
    links[4].SetDIBIndex(4);
    links[0].SetDIBImageList(nullptr);
    links[0].SetDIBImageList(nullptr);
    EXPECT_EQ(told, (std::vector<int>{4, 0}));
    told.clear();
    list.Delete(0);  // links[0] no longer belongs to the list
    EXPECT_EQ(links[0].DIBIndex(), 0);
    EXPECT_EQ(told, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(LinkFixture, LinksAndListMayGoInEitherOrder) {
    auto other = std::make_unique<TDIBImageList>();
    auto extra = std::make_unique<TDIBImageLink>();
    extra->SetDIBImageList(other.get());
    other.reset();
    EXPECT_EQ(extra->DIBImageList(), nullptr);
    EXPECT_EQ(extra->Resolve(), nullptr);

    // A handler that drops another link: the dropped one is not told.
    auto dropped = std::make_unique<TDIBImageLink>();
    dropped->SetDIBImageList(&list);
    dropped->SetDIBIndex(5);
    bool droppedTold = false;
    dropped->OnChange = [&] { droppedTold = true; };
    links[3].SetDIBIndex(6);
    links[3].OnChange = [&] { dropped.reset(); };
    list.Delete(2);
    EXPECT_EQ(dropped, nullptr);
    EXPECT_FALSE(droppedTold);
}

}  // namespace
