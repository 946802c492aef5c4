#include "config/registry_format.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace config {
namespace {

const char kKey[] = "HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick\\Default";

std::optional<StoredValue> ParseValueLine(const std::string& line) {
  std::optional<RegistryModel> model =
      ParseRegistryText("REGEDIT4\n\n[" + std::string(kKey) + "]\n" + line + "\n");
  if (!model || !model->Find(kKey)) return std::nullopt;
  const auto& values = model->Find(kKey)->values();
  if (values.size() != 1) return std::nullopt;
  return values.front().second;
}

TEST(RegistryFormat, ReadsEveryValueFormAndKeepsItsType) {
  struct Case {
    std::string line;
    StoredValue expected;
  } cases[] = {
      {R"("v"="plain")", StoredValue::Text("plain")},
      {R"("v"="q \" b \\ e")", StoredValue::Text("q \" b \\ e")},
      {R"("v"="C:\DIR\x")", StoredValue::Text("C:\\DIR\\x")},  // lone backslashes kept
      {R"("v" = "spaced" )", StoredValue::Text("spaced")},
      {R"(@="default")", StoredValue::Text("default")},
      {R"("v"=dword:0000000A)", StoredValue::Number(10)},
      {R"("v"=dword:ffffffff)", StoredValue::Number(-1)},
      {R"("v"=dword:1)", StoredValue::Number(1)},
      {R"("v"=hex:01,02,ff)", {kTypeBinary, "\x01\x02\xff"}},
      {R"("v"=hex:)", {kTypeBinary, ""}},
      {R"("v"=hex(1):61,09,00)", StoredValue::Text("a\t")},
      {R"("v"=hex(2):25,00)", {kTypeExpandText, std::string("%\0", 2)}},
      {R"("v"=hex(7):61,00,00)", {kTypeMultiText, std::string("a\0\0", 3)}},
      {R"("v"=hex(4):01,00,00,00)", StoredValue::Number(1)},
      {"\"v\"=hex:01,\\\r\n  02,\\\n  03", {kTypeBinary, "\x01\x02\x03"}},
  };
  for (const Case& c : cases) {
    std::optional<StoredValue> value = ParseValueLine(c.line);
    ASSERT_TRUE(value) << c.line;
    EXPECT_EQ(value->type, c.expected.type) << c.line;
    EXPECT_EQ(value->bytes, c.expected.bytes) << c.line;
  }
}

TEST(RegistryFormat, RejectsTextItCannotRead) {
  const std::string texts[] = {
      "",
      "\r\n\r\n",
      "REGEDIT5\n",
      "Windows Registry Editor Version 5.00\r\n",
      std::string("\xFF\xFE"
                  "W\0i\0n\0",
                  8),  // a UTF-16 export
      "REGEDIT4\n\"v\"=\"before any key\"\n",
      "REGEDIT4\n[k]\nplain text\n",
      "REGEDIT4\n[k]\n\"v\"=\"unterminated\n",
      "REGEDIT4\n[k]\n\"v\"=\"x\" trailing\n",
      "REGEDIT4\n[k]\n\"v\"\n",
      "REGEDIT4\n[k]\n\"v\"=dword:\n",
      "REGEDIT4\n[k]\n\"v\"=dword:123456789\n",
      "REGEDIT4\n[k]\n\"v\"=hex(zz):00\n",
      "REGEDIT4\n[k]\n\"v\"=hex:0g\n",
      "REGEDIT4\n[k\n",
      "REGEDIT4\n[]\n",
  };
  for (const std::string& text : texts) EXPECT_FALSE(ParseRegistryText(text)) << text;
}

TEST(RegistryFormat, AcceptsAnEditorsFileAndIgnoresRemovals) {
  std::optional<RegistryModel> model = ParseRegistryText(
      "\xEF\xBB\xBF\r\nREGEDIT4\r\n\r\n; exported\r\n"
      "[HKEY_CURRENT_USER\\K]\r\n\"Name\"=\"a\"\r\n\"name\"=-\r\n"
      "[-HKEY_CURRENT_USER\\K]\r\n\"Inside\"=\"skipped\"\r\n"
      "[hkey_current_user\\k]\r\n\"NAME\"=\"b\"\r\n");
  ASSERT_TRUE(model);
  ASSERT_EQ(model->keys().size(), 1u);
  const RegistryKey& key = model->keys()[0];
  EXPECT_EQ(key.name(), "HKEY_CURRENT_USER\\K");  // the first spelling stays
  ASSERT_EQ(key.values().size(), 1u);
  EXPECT_EQ(key.values()[0].first, "Name");
  EXPECT_EQ(key.values()[0].second, StoredValue::Text("b"));
}

TEST(RegistryFormat, WritesEachValueFormAndReadsItBack) {
  const StoredValue values[] = {
      StoredValue::Text(""),
      StoredValue::Text("quote \" back \\ end\\"),
      StoredValue::Text("line\r\nbreak"),
      StoredValue::Text(std::string("in\0side", 7)),
      StoredValue::Text("high \xE9\xFF"),
      StoredValue::Number(0),
      StoredValue::Number(-1),
      {kTypeBinary, std::string(200, '\x7f')},
      {kTypeExpandText, std::string("%HOME%\0", 7)},
      {kTypeNumber, "abc"},  // a short number keeps its bytes
      {kTypeText, "no terminating zero"},
      {0x20, "x"},
  };
  RegistryModel model;
  RegistryKey& key = model.Create(std::string(kKey) + "\\Values", "HKEY_CURRENT_USER");
  for (std::size_t i = 0; i < std::size(values); ++i) {
    key.SetValue(i == 0 ? "" : "v" + std::to_string(i), values[i]);
  }
  std::string text = FormatRegistryText(model);
  std::size_t line_start = 0;
  for (std::size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', lf + 1)) {
    EXPECT_LE(lf - line_start, 80u) << text.substr(line_start, lf - line_start);
    line_start = lf + 1;
  }
  std::optional<RegistryModel> back = ParseRegistryText(text);
  ASSERT_TRUE(back) << text;
  EXPECT_EQ(back->keys().size(), 5u);  // Software, company, application, Default, Values
  const RegistryKey* read = back->Find(std::string(kKey) + "\\VALUES");
  ASSERT_TRUE(read);
  ASSERT_EQ(read->values().size(), std::size(values));
  for (std::size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(read->values()[i].second, values[i]) << i;
  }
  EXPECT_NE(text.find("\n@=\"\"\n"), std::string::npos);
  EXPECT_NE(text.find("\"v1\"=\"quote \\\" back \\\\ end\\\\\"\n"), std::string::npos);
  EXPECT_NE(text.find("\"v2\"=hex(1):6c,69,6e,65,0d,0a,62,72,65,61,6b,00\n"), std::string::npos);
  EXPECT_NE(text.find("\"v6\"=dword:ffffffff\n"), std::string::npos);
}

TEST(RegistryFormat, HostileTextEndsQuickly) {
  std::string many_keys = "REGEDIT4\n";
  std::string many_values = "REGEDIT4\n[k]\n";
  for (int i = 0; i < 50000; ++i) {
    many_keys += "[k" + std::to_string(i) + "]\n\"v\"=\"x\"\n";
    many_values += "\"v" + std::to_string(i) + "\"=\"x\"\n";
  }
  std::string long_continuation = "REGEDIT4\n[k]\n\"v\"=hex:";
  for (int i = 0; i < 200000; ++i) long_continuation += "01,\\\n";
  const std::string texts[] = {
      std::string("REGEDIT4\n[k\0]\n\"\0\"=\"\0\"\n", 20),
      "REGEDIT4\n" + std::string(4 << 20, '['),
      "REGEDIT4\n[k]\n\"" + std::string(4 << 20, '\\'),
      "REGEDIT4\n[k]\n\"v\"=hex:" + std::string(4 << 20, ','),
      "REGEDIT4\n" + std::string(4 << 20, '\n'),
  };
  auto start = std::chrono::steady_clock::now();
  for (const std::string& text : texts) ParseRegistryText(text);  // must simply return

  std::optional<RegistryModel> keys = ParseRegistryText(many_keys);
  ASSERT_TRUE(keys);
  EXPECT_EQ(keys->keys().size(), 50000u);
  std::optional<RegistryModel> values = ParseRegistryText(many_values);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->keys()[0].values().size(), 50000u);
  std::optional<RegistryModel> hex = ParseRegistryText(long_continuation);
  ASSERT_TRUE(hex);
  EXPECT_EQ(hex->keys()[0].values()[0].second.bytes.size(), 200000u);
  // Linear work takes well under a second; anything quadratic takes minutes.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace config
