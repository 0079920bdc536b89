#include "swf/format/TagCodes.h"

#include <algorithm>
#include <array>

namespace quelvo::swf {

namespace {

struct TagInfo {
  std::uint16_t code;
  const char* name;
  bool definition;
};

// Sorted by code.
constexpr std::array kTags{
    TagInfo{tags::End, "End", false},
    TagInfo{tags::ShowFrame, "ShowFrame", false},
    TagInfo{tags::DefineShape, "DefineShape", true},
    TagInfo{tags::PlaceObject, "PlaceObject", false},
    TagInfo{tags::RemoveObject, "RemoveObject", false},
    TagInfo{tags::DefineBits, "DefineBits", true},
    TagInfo{tags::DefineButton, "DefineButton", true},
    TagInfo{tags::JpegTables, "JPEGTables", true},
    TagInfo{tags::SetBackgroundColor, "SetBackgroundColor", false},
    TagInfo{tags::DefineFont, "DefineFont", true},
    TagInfo{tags::DefineText, "DefineText", true},
    TagInfo{tags::DoAction, "DoAction", false},
    TagInfo{tags::DefineFontInfo, "DefineFontInfo", true},
    TagInfo{tags::DefineSound, "DefineSound", true},
    TagInfo{tags::StartSound, "StartSound", false},
    TagInfo{tags::DefineButtonSound, "DefineButtonSound", true},
    TagInfo{tags::SoundStreamHead, "SoundStreamHead", false},
    TagInfo{tags::SoundStreamBlock, "SoundStreamBlock", false},
    TagInfo{tags::DefineBitsLossless, "DefineBitsLossless", true},
    TagInfo{tags::DefineBitsJpeg2, "DefineBitsJPEG2", true},
    TagInfo{tags::DefineShape2, "DefineShape2", true},
    TagInfo{tags::DefineButtonCxform, "DefineButtonCxform", true},
    TagInfo{tags::Protect, "Protect", false},
    TagInfo{tags::PlaceObject2, "PlaceObject2", false},
    TagInfo{tags::RemoveObject2, "RemoveObject2", false},
    TagInfo{tags::DefineShape3, "DefineShape3", true},
    TagInfo{tags::DefineText2, "DefineText2", true},
    TagInfo{tags::DefineButton2, "DefineButton2", true},
    TagInfo{tags::DefineBitsJpeg3, "DefineBitsJPEG3", true},
    TagInfo{tags::DefineBitsLossless2, "DefineBitsLossless2", true},
    TagInfo{tags::DefineEditText, "DefineEditText", true},
    TagInfo{tags::DefineSprite, "DefineSprite", true},
    TagInfo{tags::FrameLabel, "FrameLabel", false},
    TagInfo{tags::SoundStreamHead2, "SoundStreamHead2", false},
    TagInfo{tags::DefineMorphShape, "DefineMorphShape", true},
    TagInfo{tags::DefineFont2, "DefineFont2", true},
    TagInfo{tags::ExportAssets, "ExportAssets", false},
    TagInfo{tags::ImportAssets, "ImportAssets", false},
    TagInfo{tags::EnableDebugger, "EnableDebugger", false},
    TagInfo{tags::DoInitAction, "DoInitAction", false},
    TagInfo{tags::DefineVideoStream, "DefineVideoStream", true},
    TagInfo{tags::VideoFrame, "VideoFrame", false},
    TagInfo{tags::DefineFontInfo2, "DefineFontInfo2", true},
    TagInfo{tags::EnableDebugger2, "EnableDebugger2", false},
    TagInfo{tags::ScriptLimits, "ScriptLimits", false},
    TagInfo{tags::SetTabIndex, "SetTabIndex", false},
    TagInfo{tags::FileAttributes, "FileAttributes", false},
    TagInfo{tags::PlaceObject3, "PlaceObject3", false},
    TagInfo{tags::ImportAssets2, "ImportAssets2", false},
    TagInfo{tags::DoAbcWithoutFlags, "DoABC (without flags)", false},
    TagInfo{tags::DefineFontAlignZones, "DefineFontAlignZones", true},
    TagInfo{tags::CsmTextSettings, "CSMTextSettings", true},
    TagInfo{tags::DefineFont3, "DefineFont3", true},
    TagInfo{tags::SymbolClass, "SymbolClass", false},
    TagInfo{tags::Metadata, "Metadata", false},
    TagInfo{tags::DefineScalingGrid, "DefineScalingGrid", true},
    TagInfo{tags::DoAbc, "DoABC", false},
    TagInfo{tags::DefineShape4, "DefineShape4", true},
    TagInfo{tags::DefineMorphShape2, "DefineMorphShape2", true},
    TagInfo{tags::DefineSceneAndFrameLabelData, "DefineSceneAndFrameLabelData", false},
    TagInfo{tags::DefineBinaryData, "DefineBinaryData", true},
    TagInfo{tags::DefineFontName, "DefineFontName", true},
    TagInfo{tags::StartSound2, "StartSound2", false},
    TagInfo{tags::DefineBitsJpeg4, "DefineBitsJPEG4", true},
    TagInfo{tags::DefineFont4, "DefineFont4", true},
    TagInfo{tags::EnableTelemetry, "EnableTelemetry", false},
};

static_assert(std::is_sorted(kTags.begin(), kTags.end(),
                             [](const TagInfo& a, const TagInfo& b) { return a.code < b.code; }));

const TagInfo* find(std::uint16_t code) {
  const auto it =
      std::lower_bound(kTags.begin(), kTags.end(), code,
                       [](const TagInfo& info, std::uint16_t c) { return info.code < c; });
  return it != kTags.end() && it->code == code ? &*it : nullptr;
}

}  // namespace

const char* tagName(std::uint16_t code) {
  const TagInfo* info = find(code);
  return info ? info->name : nullptr;
}

bool isKnownTag(std::uint16_t code) { return find(code) != nullptr; }

bool isDefinitionTag(std::uint16_t code) {
  const TagInfo* info = find(code);
  return info && info->definition;
}

}  // namespace quelvo::swf
