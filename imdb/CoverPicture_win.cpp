// Covers through OLE: the file's bytes into a global memory block, a stream over it, OleLoadPicture from that.
#include "imdb/CoverPicture_win.h"

#include "imdb/CoverLayout.h"

namespace cl {
namespace {

// Covers are small JPEGs; a file far beyond that is not a cover and is not read into memory.
constexpr DWORD kMaxCoverBytes = 32u << 20;

// The file's bytes in a movable global block, or no block when the file cannot be read whole.
OwnedGlobal ReadWholeFile(const std::filesystem::path& path, DWORD& size) {
    OwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    DWORD high = 0;
    size = GetFileSize(file.get(), &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size == 0 || size > kMaxCoverBytes) return {};
    OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return {};
    void* bytes = GlobalLock(block.get());
    if (bytes == nullptr) return {};
    DWORD read = 0;
    const BOOL ok = ReadFile(file.get(), bytes, size, &read, nullptr);
    GlobalUnlock(block.get());
    if (!ok || read != size) return {};
    return block;
}

}  // namespace

bool LoadCoverPicture(const std::filesystem::path& path, CoverPicture& picture) {
    DWORD size = 0;
    OwnedGlobal block = ReadWholeFile(path, size);
    if (!block) return false;
    IStream* rawStream = nullptr;
    // The stream frees the block when it is released.
    if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, &rawStream))) return false;
    block.release();
    OwnedCom<IStream> stream(rawStream);
    void* loaded = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture, &loaded)) ||
        loaded == nullptr) {
        return false;
    }
    picture.reset(static_cast<IPicture*>(loaded));
    return true;
}

void PaintCover(IPicture* picture, HDC dc, int pageClientWidth, HWND frame, int currentTab) {
    if (picture == nullptr || currentTab != kDatabaseTab) return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height))) return;
    const CoverLayout layout =
        LayOutCover(width, height, GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY), pageClientWidth);
    const CoverRect& f = layout.frame;
    MoveWindow(frame, f.x, f.y, f.width, f.height, TRUE);
    const CoverRect& t = layout.target;
    const CoverRect& s = layout.source;
    picture->Render(dc, t.x, t.y, t.width, t.height, s.x, s.y, s.width, s.height, nullptr);
}

}  // namespace cl
