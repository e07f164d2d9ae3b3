// The executable's resources, read through the Windows API as Explorer and the loader read them.
#include <string_view>

#include "harness.h"
#include "product.h"

namespace harness {
namespace {

class Module {
 public:
  Module()
      : module_(LoadLibraryExW(ToolPath().c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~Module() {
    if (module_) FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }

  std::string_view Resource(const wchar_t* type, const wchar_t* name) const {
    const HRSRC info = FindResourceW(module_, name, type);
    if (!info) return {};
    const HGLOBAL data = LoadResource(module_, info);
    return {static_cast<const char*>(LockResource(data)), SizeofResource(module_, info)};
  }

 private:
  HMODULE module_;
};

std::vector<std::wstring> ResourceNames(HMODULE module, const wchar_t* type) {
  std::vector<std::wstring> names;
  EnumResourceNamesW(
      module, type,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
        auto* list = reinterpret_cast<std::vector<std::wstring>*>(param);
        list->push_back(IS_INTRESOURCE(name)
                            ? L"#" + std::to_wstring(reinterpret_cast<UINT_PTR>(name))
                            : std::wstring(name));
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&names));
  return names;
}

TEST(Resources, ManifestAsksForTheHighestAvailablePrivilegesAndNothingElse) {
  Module module;
  ASSERT_TRUE(module.get());
  EXPECT_EQ(ResourceNames(module.get(), RT_MANIFEST), std::vector<std::wstring>{L"#1"});
  const std::string manifest(module.Resource(RT_MANIFEST, MAKEINTRESOURCEW(1)));
  ASSERT_FALSE(manifest.empty());
  const auto count = [&](std::string_view what) {
    size_t n = 0;
    for (size_t at = manifest.find(what); at != std::string::npos; at = manifest.find(what, at + 1))
      ++n;
    return n;
  };
  EXPECT_EQ(count("<trustInfo"), 1u);
  EXPECT_EQ(count("<requestedExecutionLevel level=\"highestAvailable\"/>"), 1u) << manifest;
  EXPECT_EQ(count("uiAccess"), 0u);
  for (const char* absent : {"<dependency", "<compatibility", "<application", "<file"}) {
    EXPECT_EQ(count(absent), 0u) << absent;
  }
}

struct VersionText {
  const wchar_t* field;
  std::wstring expected;
};

TEST(Resources, VersionResourceReadsAsListed) {
  const std::wstring path = ToolPath();
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileOS, 0x4u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  struct Translation {
    WORD language, codePage;
  }* translations = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translations), &length));
  ASSERT_EQ(length, sizeof(Translation)) << "exactly one translation";
  EXPECT_EQ(translations[0].language, 0x0804);
  EXPECT_EQ(translations[0].codePage, 936);

  const std::wstring host = kVendorHost;
  const VersionText texts[] = {
      {L"ProductName", L"Vornasta"},   {L"LegalTrademarks", L"Vornasta"},
      {L"Comments", L"Vornasta"},      {L"CompanyName", L"Pelmora " + host},
      {L"LegalCopyright", L"Pelmora"}, {L"InternalName", host},
      {L"OriginalFilename", L""},      {L"FileVersion", L"1.0.0.0"},
      {L"ProductVersion", L"1.0.0.0"},
  };
  for (const VersionText& text : texts) {
    const std::wstring query = std::wstring(L"\\StringFileInfo\\080403A8\\") + text.field;
    wchar_t* value = nullptr;
    const bool found =
        VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length);
    ASSERT_TRUE(found) << Utf8(text.field);
    EXPECT_EQ(std::wstring(value), text.expected) << Utf8(text.field);
  }
  wchar_t* description = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\080403A8\\FileDescription",
                             reinterpret_cast<void**>(&description), &length));
  EXPECT_NE(std::wstring(description).find(L"休眠"), std::wstring::npos)
      << "a short Chinese description of the tool";

  // One string table only: the block holds a single "080403A8" key and no other table key.
  const std::wstring_view raw(reinterpret_cast<const wchar_t*>(block.data()), size / 2);
  EXPECT_NE(raw.find(L"080403A8"), std::wstring_view::npos);
  EXPECT_EQ(raw.find(L"040904"), std::wstring_view::npos);
  EXPECT_EQ(raw.find(L"080404B0"), std::wstring_view::npos);
}

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes;
  WORD id;
};
struct GroupIconDir {
  WORD reserved, type, count;
  GroupIconEntry entries[1];
};
#pragma pack(pop)

TEST(Resources, MainIconHoldsOne48By48ImageIn256Colours) {
  Module module;
  ASSERT_TRUE(module.get());
  const std::string_view group = module.Resource(RT_GROUP_ICON, L"MAINICON");
  ASSERT_GE(group.size(), sizeof(GroupIconDir));
  const auto* dir = reinterpret_cast<const GroupIconDir*>(group.data());
  ASSERT_EQ(dir->count, 1);
  const GroupIconEntry& entry = dir->entries[0];
  EXPECT_EQ(entry.width, 48);
  EXPECT_EQ(entry.height, 48);
  EXPECT_EQ(entry.bitCount, 8);
  const std::string_view image = module.Resource(RT_ICON, MAKEINTRESOURCEW(entry.id));
  ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
  EXPECT_EQ(header->biWidth, 48);
  EXPECT_EQ(header->biHeight, 96);  // colour image and mask
  EXPECT_EQ(header->biBitCount, 8);
}

}  // namespace
}  // namespace harness
