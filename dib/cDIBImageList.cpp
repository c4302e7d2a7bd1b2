#include "dib/cDIBImageList.h"

#include <algorithm>
#include <cstring>

namespace dib {

namespace {

constexpr size_t kHeaderSize = 4;
// Compressed data starts with this mark, a 16-byte compressor identifier and
// the 32-bit uncompressed length.
constexpr char kCompressedMark[6] = {'D', 'I', 'B', 'C', 'M', 'P'};
constexpr size_t kCompressedHeaderSize = 26;

}  // namespace

void ReadData(TAbstractSuperDIB& picture, std::span<const uint8_t> data) {
    if (data.empty()) return;
    if (data.size() >= kCompressedHeaderSize &&
        std::memcmp(data.data(), kCompressedMark, sizeof kCompressedMark) == 0)
        throw EDIBCompressError("Could not find a suitable decompressor.");
    if (data.size() < kHeaderSize) throw EDIBError("Picture data ends inside its size");

    picture.SetSize(data[0] | data[1] << 8, data[2] | data[3] << 8);
    // Pixels the data does not reach are zero, also when the size was the
    // same before and the old pixels are still there.
    const size_t pixelCount =
        static_cast<size_t>(picture.Width()) * static_cast<size_t>(picture.Height());
    uint32_t* pixels = picture.StoredRow(0);
    std::fill_n(pixels, pixelCount, 0u);
    const size_t byteCount = std::min(pixelCount * 4, data.size() - kHeaderSize);
    for (size_t b = 0; b < byteCount; ++b)
        pixels[b / 4] |= uint32_t{data[kHeaderSize + b]} << (8 * (b % 4));
    picture.Changed();
}

std::vector<uint8_t> WriteData(const TAbstractSuperDIB& picture) {
    if (!picture.HasPixels()) return {};
    const int width = picture.Width();
    const int height = picture.Height();
    std::vector<uint8_t> data;
    data.reserve(kHeaderSize + static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (const int side : {width, height}) {
        data.push_back(static_cast<uint8_t>(side));
        data.push_back(static_cast<uint8_t>(side >> 8));
    }
    for (int j = 0; j < height; ++j) {
        const uint32_t* row = picture.StoredRow(j);
        for (int i = 0; i < width; ++i)
            for (int shift = 0; shift < 32; shift += 8)
                data.push_back(static_cast<uint8_t>(row[i] >> shift));
    }
    return data;
}

TDIBImageList::~TDIBImageList() {
    for (TDIBImageLink* link : links_) link->list_ = nullptr;
}

TDIBImagesItem& TDIBImageList::Add() {
    items_.push_back(std::make_unique<TDIBImagesItem>());
    TDIBImagesItem* item = items_.back().get();
    item->DIB().OnChange = [this, item] { entryChanged(*item); };
    return *item;
}

void TDIBImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    renumberLinks([index](int i) { return i == index ? -1 : i > index ? i - 1 : i; });
}

void TDIBImageList::Move(int from, int to) {
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) return;
    std::unique_ptr<TDIBImagesItem> item = std::move(items_[static_cast<size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
    renumberLinks([from, to](int i) {
        if (i == from) return to;
        if (from < to && i > from && i <= to) return i - 1;
        if (to < from && i >= to && i < from) return i + 1;
        return i;
    });
}

TAbstractSuperDIB* TDIBImageList::Resolve(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    const TMemoryDIB& picture = items_[static_cast<size_t>(index)]->DIB();
    if (!picture.HasPixels()) return nullptr;
    working_.LinkTo(picture);
    return &working_;
}

int TDIBImageList::indexOf(const TDIBImagesItem& item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == &item) return static_cast<int>(i);
    return -1;
}

// All numbers are brought up to date before any control hears of it.
void TDIBImageList::renumberLinks(const std::function<int(int)>& newIndex) {
    std::vector<TDIBImageLink*> moved;
    for (TDIBImageLink* link : links_) {
        const int index = newIndex(link->index_);
        if (index == link->index_) continue;
        link->index_ = index;
        moved.push_back(link);
    }
    tell(moved);
}

void TDIBImageList::entryChanged(const TDIBImagesItem& item) {
    const int index = indexOf(item);
    std::vector<TDIBImageLink*> showing;
    for (TDIBImageLink* link : links_)
        if (link->index_ == index) showing.push_back(link);
    tell(showing);
}

// A control's handler may drop another link meanwhile; that one is not told.
void TDIBImageList::tell(const std::vector<TDIBImageLink*>& links) const {
    for (TDIBImageLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->changed();
}

TDIBImageLink::~TDIBImageLink() {
    detach();
}

void TDIBImageLink::SetDIBImageList(TDIBImageList* list) {
    if (list == list_) return;
    detach();
    list_ = list;
    if (list_) list_->links_.push_back(this);
    changed();
}

void TDIBImageLink::SetDIBIndex(int index) {
    if (index == index_) return;
    index_ = index;
    changed();
}

TAbstractSuperDIB* TDIBImageLink::Resolve() const {
    return list_ ? list_->Resolve(index_) : nullptr;
}

void TDIBImageLink::detach() {
    if (!list_) return;
    std::erase(list_->links_, this);
    list_ = nullptr;
}

void TDIBImageLink::changed() const {
    if (OnChange) OnChange();
}

void LoadStoredPictures(TDIBImageList& list, std::span<const assets::StoredPicture> pictures) {
    for (const assets::StoredPicture& stored : pictures) {
        TDIBImagesItem& item = list.Add();
        item.DisplayName = std::string(stored.DisplayName);
        TMemoryDIB& picture = item.DIB();
        picture.SetTransparent(stored.Transparent);
        picture.SetTransparentColor(core::CanvasColor{stored.TransparentColor});
        picture.SetTransparentMode(stored.TransparentModeFixed ? tmFixed : tmAuto);
        ReadData(picture, stored.Data);
    }
}

}  // namespace dib
