#include "tallowik/class_generator.h"

#include <cstdio>
#include <memory>
#include <new>

#include "engine/templates.h"
#include "platform/atomic_file.h"
#include "tallowik/class_substitution.h"
#include "tallowik/class_wizard_file.h"
#include "tallowik/text_pieces.h"

namespace tallowik {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kOutputBuffer = 64 * 1024;

}  // namespace

std::string CategoryKey(int number) { return "Class Number " + std::to_string(number); }

GenerationResult ClassGenerator::GenerateClass(const GenerationRequest& request) {
  if (!request.category) return GenerationResult::kNoCategory;
  const int category = *request.category;
  const std::string configuration = settings_.CurrentConfiguration();
  const int categories = settings_.ReadSettingNumber(configuration, "Base Classes", "Number", 0);
  if (category < 0 || category >= categories) return GenerationResult::kNoCategory;

  NewClass new_class;
  new_class.fields = request.fields;
  const ClassFields& fields = new_class.fields;
  const std::string key = CategoryKey(category);

  const std::string header_template =
      settings_.ReadSetting(configuration, key, "Header Template", "");
  if (!GenerateFile(new_class, header_template, fields.header_file)) {
    return GenerationResult::kHeaderFailed;
  }
  const std::string source_template =
      settings_.ReadSetting(configuration, key, "Source Template", "");
  if (!GenerateFile(new_class, source_template, fields.source_file)) {
    return GenerationResult::kSourceFailed;
  }
  if (request.add_to_class_wizard) {
    RegisterClass(request.class_wizard_file, fields.header_file, fields.source_file,
                  fields.class_name);
  }
  platform::OpenFileInIde(dde_, fields.source_file);
  return GenerationResult::kGenerated;
}

bool ClassGenerator::GenerateFile(NewClass& new_class, const std::string& template_name,
                                  const std::string& output_name) {
  try {
    const std::string configuration = settings_.CurrentConfiguration();
    new_class.file = LoadFileValues(settings_, configuration, new_class.fields.project, clock_);

    std::string found = template_name;
    engine::FindTemplateFile(found, settings_);
    platform::FileContents text;
    if (!found.empty()) text = platform::ReadWholeFile(found);
    if (text.status != platform::FileContents::Status::kRead) {
      messages_.ShowMessage("Unable to open template file " + template_name);
      return false;
    }
    return WriteFile(new_class, text.bytes, output_name);
  } catch (const std::bad_alloc&) {
    messages_.ShowMessage("Insufficient memory, files not created!");
    return false;
  }
}

bool ClassGenerator::WriteFile(const NewClass& new_class, const std::string& template_text,
                               const std::string& output_name) {
  File output(output_name.find('\0') == std::string::npos ? std::fopen(output_name.c_str(), "ab")
                                                          : nullptr);
  if (!output) {
    messages_.ShowMessage("Unable to create or open file " + output_name);
    return false;
  }
  std::setvbuf(output.get(), nullptr, _IOFBF, kOutputBuffer);

  const LineSubstitution substitution(new_class, output_name);
  TextPieceReader reader(template_text);
  std::string piece;
  bool written = true;
  while (written && reader.Next(piece)) {
    substitution.Apply(piece);
    written = std::fwrite(piece.data(), 1, piece.size(), output.get()) == piece.size();
  }
  // A full disk shows only at a flush; a file reported as written must be complete.
  written = std::fflush(output.get()) == 0 && written;
  written = std::fclose(output.release()) == 0 && written;
  if (!written) {
    messages_.ShowMessage("Unable to write file " + output_name);
    return false;
  }
  return true;
}

}  // namespace tallowik
