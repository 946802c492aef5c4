// The desktop clipboard over a fake transport: targets, markers, line ends, failures.
#include "platform/selection_clipboard.h"

#include <gtest/gtest.h>

#include <map>

namespace platform {
namespace {

using Strings = std::vector<std::string>;

// Answers from a map of targets; records what was read and published.
class FakeTransport : public SelectionTransport {
 public:
  std::optional<std::vector<std::string>> Targets() override {
    ++target_queries;
    if (!owner) return std::nullopt;
    Strings names;
    for (const auto& [name, bytes] : data) names.push_back(name);
    return names;
  }
  std::optional<std::string> Read(std::string_view target) override {
    reads.emplace_back(target);
    auto found = data.find(std::string(target));
    if (found == data.end() || refuse.count(std::string(target))) return std::nullopt;
    return found->second;
  }
  bool Publish(const std::vector<SelectionOffer>& offers) override {
    published.push_back(offers);
    return publish_result;
  }
  bool owner = true;
  std::map<std::string, std::string> data;
  std::map<std::string, bool> refuse;
  Strings reads;
  int target_queries = 0;
  std::vector<std::vector<SelectionOffer>> published;
  bool publish_result = true;
};

struct ReadCase {
  std::map<std::string, std::string> offered;
  std::map<std::string, bool> refused;
  std::optional<std::string> text;
  Strings reads;
};

TEST(SelectionClipboard, ReadsTheFirstTextTargetThatAnswers) {
  const ReadCase cases[] = {
      {{{"UTF8_STRING", "u"}, {"STRING", "s"}}, {}, "u", {"UTF8_STRING"}},
      {{{"TEXT", "t"}, {"STRING", "s"}}, {}, "s", {"STRING"}},
      {{{"UTF8_STRING", "u"}, {"STRING", "s"}},
       {{"UTF8_STRING", true}},
       "s",
       {"UTF8_STRING", "STRING"}},
      {{{"text/plain;charset=utf-8", "\xff\xfe binary"}},
       {},
       "\xff\xfe binary",
       {"text/plain;charset=utf-8"}},
      // Offered only in targets the text is not read from.
      {{{"image/png", "png"}, {"text/html", "<b>"}}, {}, std::nullopt, {}},
  };
  for (const ReadCase& c : cases) {
    auto transport = std::make_shared<FakeTransport>();
    transport->data = c.offered;
    transport->refuse = c.refused;
    SelectionClipboard clipboard(transport, true);
    ASSERT_TRUE(clipboard.Open());
    EXPECT_EQ(clipboard.GetData(Clipboard::kText), c.text);
    EXPECT_EQ(transport->reads, c.reads);
    clipboard.Close();
  }
}

TEST(SelectionClipboard, MarkersAndRichTextHaveTheirOwnTargets) {
  auto transport = std::make_shared<FakeTransport>();
  transport->data = {{"application/x-quorvan-processed", "\1"}, {"text/rtf", "{\\rtf1}"}};
  SelectionClipboard clipboard(transport, true);
  Clipboard::Format processed = clipboard.RegisterFormat("Quorvan Format");
  Clipboard::Format column = clipboard.RegisterFormat("MSVCColumnSelect");
  Clipboard::Format rtf = clipboard.RegisterFormat("Rich Text Format");
  EXPECT_TRUE(clipboard.IsFormatAvailable(processed));
  EXPECT_FALSE(clipboard.IsFormatAvailable(column));
  EXPECT_FALSE(clipboard.IsFormatAvailable(Clipboard::kText));
  ASSERT_TRUE(clipboard.Open());
  EXPECT_EQ(clipboard.GetData(rtf), "{\\rtf1}");
  clipboard.Empty();
  clipboard.SetData(column, "\1");
  clipboard.SetData(Clipboard::kText, "x");
  clipboard.SetData(processed, "\1");
  ASSERT_TRUE(clipboard.Close());
  ASSERT_EQ(transport->published.size(), 1u);
  EXPECT_EQ(transport->published[0],
            (std::vector<SelectionOffer>{{{"application/x-column-selection"}, "\1"},
                                         {TextTargets(), "x"},
                                         {{"application/x-quorvan-processed"}, "\1"}}));
  // The owner is asked for its targets once per Open.
  EXPECT_EQ(transport->target_queries, 4);
}

struct LineEndCase {
  std::optional<std::string> read;  // the text read first, if any
  std::string written;
  std::string published;
};

TEST(SelectionClipboard, TextLeavesWithLinuxLineEndsUnlessItCameWithCrLf) {
  const LineEndCase cases[] = {
      {std::nullopt, "a\r\nb\r\n", "a\nb\n"},
      {"x\ny", "a\r\nb", "a\nb"},
      {"x\r\ny", "a\r\nb", "a\r\nb"},
      {std::nullopt, "lone\rcr\n", "lone\rcr\n"},
  };
  for (const LineEndCase& c : cases) {
    auto transport = std::make_shared<FakeTransport>();
    if (c.read) transport->data = {{"UTF8_STRING", *c.read}};
    SelectionClipboard clipboard(transport, true);
    ASSERT_TRUE(clipboard.Open());
    if (c.read) clipboard.GetData(Clipboard::kText);
    clipboard.Empty();
    clipboard.SetData(Clipboard::kText, c.written);
    ASSERT_TRUE(clipboard.Close());
    EXPECT_EQ(transport->published.at(0).at(0).bytes, c.published);
  }
  // A writer that hands over bytes as given keeps them.
  auto transport = std::make_shared<FakeTransport>();
  SelectionClipboard raw(transport, false);
  raw.Open();
  raw.SetData(Clipboard::kText, "a\r\nb");
  raw.Close();
  EXPECT_EQ(transport->published.at(0).at(0).bytes, "a\r\nb");
}

TEST(SelectionClipboard, FailuresAreReportedAndNothingIsPublishedWithoutAChange) {
  auto transport = std::make_shared<FakeTransport>();
  transport->owner = false;
  SelectionClipboard clipboard(transport, true);
  EXPECT_FALSE(clipboard.GetData(Clipboard::kText));  // not open
  ASSERT_TRUE(clipboard.Open());
  EXPECT_FALSE(clipboard.Open());
  EXPECT_EQ(clipboard.GetData(Clipboard::kText), std::nullopt);
  EXPECT_TRUE(clipboard.Close());
  EXPECT_TRUE(transport->published.empty());
  transport->publish_result = false;
  clipboard.Open();
  clipboard.SetData(Clipboard::kText, "lost?");
  EXPECT_FALSE(clipboard.Close());
}

}  // namespace
}  // namespace platform
