#include "swf/model/Movie.h"

#include <algorithm>

#include "swf/format/Container.h"
#include "swf/format/TagCodes.h"
#include "swf/io/FileBytes.h"

namespace quelvo::swf {

namespace {

constexpr std::uint8_t kActionScript3Flag = 0x08;
constexpr double kTwipsPerPixel = 20.0;

double pixels(std::int32_t from, std::int32_t to) {
  return std::max(0.0, (static_cast<double>(to) - from) / kTwipsPerPixel);
}

}  // namespace

Expected<std::shared_ptr<const Movie>> Movie::parse(std::span<const std::uint8_t> file) {
  auto container = readContainer(file);
  if (!container) return container.error();
  auto header = readHeader(container->bytes, container->compression);
  if (!header) {
    Error error = header.error();
    if (!container->problem.empty()) error.message += " (" + container->problem + ")";
    return error;
  }

  std::shared_ptr<Movie> movie(new Movie);
  movie->bytes_ = std::move(container->bytes);
  movie->fileSize_ = container->fileSize;
  movie->header_ = *header;
  movie->truncated_ = container->truncated;
  movie->readTags();
  movie->composeSalvageNote(container->problem);
  return std::shared_ptr<const Movie>(std::move(movie));
}

Expected<std::shared_ptr<const Movie>> Movie::load(const std::filesystem::path& path) {
  const auto bytes = readFileBytes(path, kMaxFileBytes);
  if (!bytes) return bytes.error();
  return parse(*bytes);
}

double Movie::widthPixels() const { return pixels(header_.stage.xMin, header_.stage.xMax); }
double Movie::heightPixels() const { return pixels(header_.stage.yMin, header_.stage.yMax); }

Rgb Movie::backgroundColor() const { return background_.value_or(Rgb{255, 255, 255}); }

void Movie::readTags() {
  const auto offset = header_.tagStreamOffset;
  ByteReader stream(std::span<const std::uint8_t>(bytes_).subspan(offset), offset);
  TagBudget budget;
  root_ = readTimeline(stream, budget,
                       [&](const TagRecord& record) { return takeRootTag(record, budget); });
}

// Notes what the movie as a whole needs from a root record; definitions go to
// the dictionary side, everything else stays in its frame.
bool Movie::takeRootTag(const TagRecord& record, TagBudget& budget) {
  switch (record.code) {
    case tags::FileAttributes:
      if (!fileAttributesSeen_ && !record.body.empty()) {
        fileAttributesSeen_ = true;
        avm2_ = (record.body[0] & kActionScript3Flag) != 0;
      }
      return true;
    case tags::SetBackgroundColor:
      if (!background_) {
        ByteReader body = record.reader();
        const Rgb colour = body.rgb();
        if (body.ok()) background_ = colour;
      }
      return true;
    case tags::DoAbc:
    case tags::DoAbcWithoutFlags:
      hasDoAbc_ = true;
      return true;
    case tags::DefineSprite:
      if (auto sprite = readSprite(record, budget))
        sprites_.try_emplace(sprite->id, std::move(*sprite));
      break;
    default:
      if (!isDefinitionTag(record.code)) return true;
      break;
  }
  definitions_.push_back(record);
  return false;
}

void Movie::composeSalvageNote(const std::string& containerProblem) {
  std::vector<std::string> notes;
  if (!containerProblem.empty()) notes.push_back(containerProblem);
  if (root_.streamBreak) notes.push_back(root_.streamBreak->note());
  std::size_t damagedSprites = 0;
  for (const auto& [id, sprite] : sprites_) {
    if (!sprite.timeline.streamBreak) continue;
    if (damagedSprites++ == 0) {
      notes.push_back("sprite " + std::to_string(id) + ": " + sprite.timeline.streamBreak->note());
    }
  }
  if (damagedSprites > 1) {
    notes.push_back(std::to_string(damagedSprites - 1) + " more sprites damaged");
  }
  for (const auto& note : notes) {
    if (!salvageNote_.empty()) salvageNote_ += "; ";
    salvageNote_ += note;
  }
}

}  // namespace quelvo::swf
