#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

// The resources of the built Tildario.exe, read as data.

namespace {

std::vector<char> file_version_info() {
  const std::wstring exe = e2e::tildario_exe();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  std::vector<char> data(size);
  if (size == 0 || !GetFileVersionInfoW(exe.c_str(), 0, size, data.data())) data.clear();
  return data;
}

TEST(Resources, VersionResourceHoldsTheProgramsValues) {
  std::vector<char> info = file_version_info();
  ASSERT_FALSE(info.empty());

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000002u);
  EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0x1u);

  WORD* translation = nullptr;
  ASSERT_TRUE(
      VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation[0], 0x040A);

  struct Entry {
    const wchar_t* name;
    const wchar_t* value;
  };
  const Entry entries[] = {
      {L"Comments", L"Programa Freeware"},
      {L"FileDescription", L"Programa herramientas texto"},
      {L"FileVersion", L"VerNum 1.00"},
      {L"InternalName", L"Privado"},
      {L"OriginalFilename", L"Tildario.exe"},
      {L"PrivateBuild", L"Informacion Privada"},
      {L"ProductName", L"Tildario"},
      {L"ProductVersion", L"Version Producto 1"},
      {L"SpecialBuild", L"Informacion Especial"},
  };
  for (const Entry& e : entries) {
    SCOPED_TRACE(testing::Message() << e.name);
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040A04E4\\") + e.name;
    wchar_t* value = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
    EXPECT_EQ(std::wstring(value), e.value);
  }
  for (const wchar_t* ours : {L"CompanyName", L"LegalCopyright", L"LegalTrademarks"}) {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040A04E4\\") + ours;
    wchar_t* value = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
    EXPECT_GT(length, 1u);
  }
}

class ExeResources : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(e2e::tildario_exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  std::string resource(const wchar_t* type, const wchar_t* name) const {
    HRSRC found = FindResourceW(module_, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    const char* bytes = static_cast<const char*>(LockResource(loaded));
    return bytes ? std::string(bytes, SizeofResource(module_, found)) : std::string();
  }
  HMODULE module_ = nullptr;
};

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bit_count;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST_F(ExeResources, IconGroup200IsOne256PixelPng) {
  const std::string group = resource(MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, MAKEINTRESOURCEW(200));
  ASSERT_EQ(group.size(), 6u + sizeof(GroupIconEntry));
  WORD header[3];
  std::memcpy(header, group.data(), sizeof(header));
  EXPECT_EQ(header[1], 1);  // icon
  EXPECT_EQ(header[2], 1);  // one image
  GroupIconEntry entry;
  std::memcpy(&entry, group.data() + 6, sizeof(entry));
  EXPECT_EQ(entry.width, 0);  // 0 means 256
  EXPECT_EQ(entry.height, 0);
  EXPECT_EQ(entry.bit_count, 32);
  const std::string image = resource(MAKEINTRESOURCEW(3) /* RT_ICON */, MAKEINTRESOURCEW(entry.id));
  ASSERT_GT(image.size(), 24u);
  EXPECT_EQ(image.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
  EXPECT_EQ(image.substr(12, 4), "IHDR");
  EXPECT_EQ(image.substr(16, 8), std::string("\0\0\1\0\0\0\1\0", 8));  // 256 x 256
  EXPECT_EQ(image[25], 6);                                             // colour type RGBA: 32 bits
}

TEST_F(ExeResources, ManifestSelectsCommonControls6AndDeclaresDpiAwareness) {
  const std::string manifest = resource(MAKEINTRESOURCEW(24) /* RT_MANIFEST */, MAKEINTRESOURCEW(1));
  ASSERT_FALSE(manifest.empty());
  for (const char* part :
       {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"", "<dpiAware", "<dpiAwareness"}) {
    SCOPED_TRACE(part);
    EXPECT_NE(manifest.find(part), std::string::npos);
  }
}

// Windows refuses to start a program whose manifest names another architecture than its own
// (a side-by-side configuration error); this test is built for the same one as the program.
TEST_F(ExeResources, ManifestNamesTheProgramsOwnArchitecture) {
  const std::string manifest = resource(MAKEINTRESOURCEW(24) /* RT_MANIFEST */, MAKEINTRESOURCEW(1));
  const std::string expected = sizeof(void*) == 8 ? "amd64" : "x86";
  const std::string attribute = "processorArchitecture=\"";
  std::vector<std::string> found;
  for (size_t at = manifest.find(attribute); at != std::string::npos; at = manifest.find(attribute, at + 1)) {
    const size_t start = at + attribute.size();
    found.push_back(manifest.substr(start, manifest.find('"', start) - start));
  }
  // The program's own identity and the Common-Controls dependency.
  EXPECT_EQ(found, std::vector<std::string>(2, expected));
}

}  // namespace
