// The drop target called through OLE's interface with test data objects.
#include "window/drop_target.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

#include "support/text.h"
#include "tests/window/window_fixture.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

// What a source hands back for ReleaseStgMedium to release when it keeps the medium itself.
class ReleaseObject final : public ComObject<ReleaseObject> {
 public:
  ULONG references() {
    AddRef();
    return Release();
  }
};

// DROPFILES, then the names, each NUL-terminated, then one more NUL.
HGLOBAL file_list(const std::vector<std::wstring>& files) {
  size_t chars = 1;
  for (const auto& f : files) chars += f.size() + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* names = reinterpret_cast<wchar_t*>(drop + 1);
  for (const auto& f : files) {
    std::memcpy(names, f.c_str(), (f.size() + 1) * sizeof(wchar_t));
    names += f.size() + 1;
  }
  GlobalUnlock(memory);
  return memory;
}

// A data object offering a CF_HDROP file list, or only text. With a release object it keeps the list
// in memory of its own, as in-process and many shell sources do, and hands it out for ReleaseStgMedium
// to give back; without one every medium it hands out belongs to the receiver.
class TestDataObject final : public ComObject<TestDataObject, IDataObject> {
 public:
  explicit TestDataObject(std::vector<std::wstring> files, ComPtr<ReleaseObject> release = nullptr)
      : files_(std::move(files)),
        release_(std::move(release)),
        own_(release_ ? file_list(files_) : nullptr) {}
  ~TestDataObject() override {
    if (own_) GlobalFree(own_);
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) noexcept override {
    if (files_.empty() || format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL))
      return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = own_ ? own_ : file_list(files_);
    medium->pUnkForRelease = nullptr;
    if (release_) release_.CopyTo(&medium->pUnkForRelease);
    handed_out_.push_back(medium->hGlobal);
    return S_OK;
  }
  const std::vector<HGLOBAL>& handed_out() const { return handed_out_; }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) noexcept override {
    return !files_.empty() && format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) noexcept override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) noexcept override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) noexcept override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  std::vector<std::wstring> files_;
  ComPtr<ReleaseObject> release_;
  HGLOBAL own_;
  std::vector<HGLOBAL> handed_out_;
};

class DropTarget : public testing_support::WindowFixture {
 protected:
  void SetUp() override {
    window_ = open(false).hwnd;
    auto target = FileDropTarget::create(loop().runner(), window_);
    ASSERT_HRESULT_SUCCEEDED(target->QueryInterface(IID_PPV_ARGS(&drop_)));
  }

  const std::wstring long_name_ = L"C:\\" + std::wstring(300, L'x') + L".txt";
  ComPtr<IDataObject> two_files_ =
      TestDataObject::create(std::vector<std::wstring>{L"C:\\a.txt", long_name_});
  ComPtr<IDataObject> text_only_ = TestDataObject::create(std::vector<std::wstring>{});
  HWND window_ = nullptr;
  ComPtr<IDropTarget> drop_;
};

TEST_F(DropTarget, HoverThenLeave) {
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(drop_->DragEnter(two_files_.Get(), 0, POINTL{1, 2}, &effect), S_OK);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_COPY});
  effect = DROPEFFECT_MOVE;
  EXPECT_EQ(drop_->DragOver(0, POINTL{3, 4}, &effect), S_OK);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_COPY});
  EXPECT_EQ(drop_->DragLeave(), S_OK);
  EXPECT_EQ(log(),
            (Lines{"FileHovered C:\\a.txt", "FileHovered " + to_utf8(long_name_), "FileHoverCancelled"}));
}

TEST_F(DropTarget, HoverThenDrop) {
  DWORD effect = DROPEFFECT_COPY;
  drop_->DragEnter(two_files_.Get(), 0, POINTL{1, 2}, &effect);
  log().clear();
  effect = DROPEFFECT_MOVE;
  EXPECT_EQ(drop_->Drop(two_files_.Get(), 0, POINTL{1, 2}, &effect), S_OK);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_COPY});
  EXPECT_EQ(log(), (Lines{"FileDropped C:\\a.txt", "FileDropped " + to_utf8(long_name_)}));
}

TEST_F(DropTarget, TextOnlyGivesNoEventsAndNoCopyCursor) {
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(drop_->DragEnter(text_only_.Get(), 0, POINTL{1, 2}, &effect), S_OK);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
  drop_->DragOver(0, POINTL{1, 2}, &effect);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
  EXPECT_EQ(drop_->DragLeave(), S_OK);
  EXPECT_EQ(drop_->Drop(text_only_.Get(), 0, POINTL{1, 2}, &effect), S_OK);
  EXPECT_TRUE(log().empty());
}

TEST_F(DropTarget, TheMainWindowIsRegisteredWithOle) {
  // A second registration for the same window is refused because the first one holds.
  auto another = FileDropTarget::create(loop().runner(), window_);
  EXPECT_EQ(RegisterDragDrop(window_, another.Get()), DRAGDROP_E_ALREADYREGISTERED);
}

struct MediumOwner {
  const char* name;
  bool source_keeps_it;
};

class DropTargetMedium : public DropTarget, public testing::WithParamInterface<MediumOwner> {};

// Each medium goes back as ReleaseStgMedium would give it back: memory a source keeps stays the
// source's, and its release object is released once per medium; memory handed over is freed.
TEST_P(DropTargetMedium, IsReleasedTheWayTheSourceHandedItOut) {
  const bool source_keeps_it = GetParam().source_keeps_it;
  const ComPtr<ReleaseObject> release = source_keeps_it ? ReleaseObject::create() : ComPtr<ReleaseObject>();
  const auto source = TestDataObject::create(std::vector<std::wstring>{L"C:\\a.txt"}, release);
  const ULONG references_before = release ? release->references() : 0;
  DWORD effect = DROPEFFECT_COPY;
  drop_->DragEnter(source.Get(), 0, POINTL{1, 2}, &effect);
  drop_->Drop(source.Get(), 0, POINTL{1, 2}, &effect);
  ASSERT_EQ(source->handed_out().size(), 2u);
  for (HGLOBAL memory : source->handed_out()) {
    EXPECT_EQ(GlobalFlags(memory) == GMEM_INVALID_HANDLE, !source_keeps_it);
  }
  if (release) {
    EXPECT_EQ(release->references(), references_before) << "each medium's release object, once";
  }
  EXPECT_EQ(log(), (Lines{"FileHovered C:\\a.txt", "FileDropped C:\\a.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Sources, DropTargetMedium,
                         testing::Values(MediumOwner{"source_keeps_the_memory", true},
                                         MediumOwner{"memory_handed_over", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
