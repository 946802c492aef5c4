#include "platform/resource_library.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

#ifdef BRK_PROMPT_LIBRARY_DIR
std::string TestLibrary(const std::string& variant) {
  return std::string(BRK_PROMPT_LIBRARY_DIR) + "/prompt_test_" + variant + ".rcc";
}
#endif

struct LookupCase {
  const char* path;
  bool found;
};

TEST(ResourceLibrary, FindsFilesInEveryFormatTheCompilerWrites) {
#ifndef BRK_PROMPT_LIBRARY_DIR
  GTEST_SKIP() << "built without the resource compiler";
#else
  const LookupCase cases[] = {
      {"/dialogs/100.ui", true},
      {"/dialogs/200.ui", true},
      {"dialogs//100.ui", true},
      {"/other/deep/name \xC3\xBC.txt", true},
      {"/dialogs/300.ui", false},
      {"/dialogs/100.UI", false},
      {"/dialogs", false},
      {"/other/deep", false},
      {"/", false},
      {"", false},
      {"/dialogs/100.ui/x", false},
      {"/other/deep/name \xFC.txt", false},
  };
  for (const char* variant : {"v3", "v2", "v1", "plain"}) {
    std::optional<ResourceLibrary> library = ResourceLibrary::Open(TestLibrary(variant));
    ASSERT_TRUE(library) << variant;
    for (const LookupCase& c : cases) {
      EXPECT_EQ(library->Contains(c.path), c.found) << variant << " " << c.path;
    }
  }
  EXPECT_EQ(ResourceLibrary::Open(TestLibrary("v1"))->format_version(), 1);
#endif
}

TEST(ResourceLibrary, RefusesFilesThatAreNotLibraries) {
  TempDir dir;
  std::string header("qres\0\0\0\3\0\0\0\x18\0\0\0\x14\0\0\0\x14\0\0\0\0", 24);
  const std::string files[] = {
      dir.Write("text.rcc", "[Dialog]\nResID=1\n"),
      dir.Write("empty.rcc", ""),
      dir.Write("short.rcc", "qres"),
      // A version the reader does not know.
      dir.Write("v9.rcc",
                std::string("qres\0\0\0\x9", 8) + header.substr(8) + std::string(22, '\0')),
      // A tree that starts beyond the end of the file.
      dir.Write("cut.rcc", header),
      // A root node that is a file.
      dir.Write("rootfile.rcc", header + std::string(22, '\0')),
      dir.File("missing.rcc"),
      dir.path(),
  };
  for (const std::string& file : files) EXPECT_FALSE(ResourceLibrary::Open(file)) << file;
}

TEST(ResourceLibrary, DamagedTreesAreReadSafely) {
#ifndef BRK_PROMPT_LIBRARY_DIR
  GTEST_SKIP() << "built without the resource compiler";
#else
  // Every prefix of a real library and every single corrupted byte: opening and
  // looking up never reads outside the file, crashes or hangs.
  std::string bytes = ReadFile(TestLibrary("v3"));
  ASSERT_GT(bytes.size(), 100u);
  TempDir dir;
  for (std::size_t cut = 0; cut < bytes.size(); cut += 13) {
    std::optional<ResourceLibrary> library =
        ResourceLibrary::Open(dir.Write("cut.rcc", bytes.substr(0, cut)));
    if (library) library->Contains("/dialogs/100.ui");
  }
  // The header, and the names and the tree, which follow the payloads.
  const std::size_t names =
      static_cast<unsigned char>(bytes[18]) << 8 | static_cast<unsigned char>(bytes[19]);
  ASSERT_LT(names, bytes.size());
  for (std::size_t at = 0; at < bytes.size(); at = at == 23 ? names : at + 1) {
    std::string damaged = bytes;
    damaged[at] = static_cast<char>(damaged[at] ^ 0xFF);
    std::optional<ResourceLibrary> library = ResourceLibrary::Open(dir.Write("bad.rcc", damaged));
    if (library) library->Contains("/dialogs/200.ui");
  }
#endif
}

TEST(ResourceLibrary, TheShippedLibraryHoldsEveryShippedLayout) {
  const std::string data = testing_support::ShippedDataDirectory();
  std::optional<ResourceLibrary> library = ResourceLibrary::Open(data + "/TEMPLRES.rcc");
  ASSERT_TRUE(library);
  std::string qrc = ReadFile(data + "/resource/templres.qrc");
  for (std::size_t at = qrc.find("<file>"); at != std::string::npos;
       at = qrc.find("<file>", at + 1)) {
    std::string name = qrc.substr(at + 6, qrc.find('<', at + 6) - at - 6);
    EXPECT_TRUE(library->Contains("/dialogs/" + name)) << name << ": run make in data/resource";
  }
}

}  // namespace
}  // namespace platform
