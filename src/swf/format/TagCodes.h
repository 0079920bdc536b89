#pragma once

#include <cstdint>

namespace quelvo::swf {

namespace tags {
// Tag codes of the records the engine knows.
enum Code : std::uint16_t {
  End = 0,
  ShowFrame = 1,
  DefineShape = 2,
  PlaceObject = 4,
  RemoveObject = 5,
  DefineBits = 6,
  DefineButton = 7,
  JpegTables = 8,
  SetBackgroundColor = 9,
  DefineFont = 10,
  DefineText = 11,
  DoAction = 12,
  DefineFontInfo = 13,
  DefineSound = 14,
  StartSound = 15,
  DefineButtonSound = 17,
  SoundStreamHead = 18,
  SoundStreamBlock = 19,
  DefineBitsLossless = 20,
  DefineBitsJpeg2 = 21,
  DefineShape2 = 22,
  DefineButtonCxform = 23,
  Protect = 24,
  PlaceObject2 = 26,
  RemoveObject2 = 28,
  DefineShape3 = 32,
  DefineText2 = 33,
  DefineButton2 = 34,
  DefineBitsJpeg3 = 35,
  DefineBitsLossless2 = 36,
  DefineEditText = 37,
  DefineSprite = 39,
  FrameLabel = 43,
  SoundStreamHead2 = 45,
  DefineMorphShape = 46,
  DefineFont2 = 48,
  ExportAssets = 56,
  ImportAssets = 57,
  EnableDebugger = 58,
  DoInitAction = 59,
  DefineVideoStream = 60,
  VideoFrame = 61,
  DefineFontInfo2 = 62,
  EnableDebugger2 = 64,
  ScriptLimits = 65,
  SetTabIndex = 66,
  FileAttributes = 69,
  PlaceObject3 = 70,
  ImportAssets2 = 71,
  DoAbcWithoutFlags = 72,
  DefineFontAlignZones = 73,
  CsmTextSettings = 74,
  DefineFont3 = 75,
  SymbolClass = 76,
  Metadata = 77,
  DefineScalingGrid = 78,
  DoAbc = 82,
  DefineShape4 = 83,
  DefineMorphShape2 = 84,
  DefineSceneAndFrameLabelData = 86,
  DefineBinaryData = 87,
  DefineFontName = 88,
  StartSound2 = 89,
  DefineBitsJpeg4 = 90,
  DefineFont4 = 91,
  EnableTelemetry = 93,
};
}  // namespace tags

// The tag's name, or nullptr for a code the engine does not know.
const char* tagName(std::uint16_t code);
bool isKnownTag(std::uint16_t code);
// Definition tags add to the character dictionary (or share data with
// definitions); every other known tag acts in the frame it belongs to.
bool isDefinitionTag(std::uint16_t code);

}  // namespace quelvo::swf
