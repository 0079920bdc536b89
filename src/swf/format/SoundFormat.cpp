#include "swf/format/SoundFormat.h"

namespace quelvo::swf {

double SoundFormat::sampleRate() const {
  switch (static_cast<SoundCodec>(codec)) {
    case SoundCodec::Nellymoser16k:
    case SoundCodec::Speex:
      return 16000;
    case SoundCodec::Nellymoser8k:
      return 8000;
    default:
      return 44100.0 / double(1 << (3 - (rateCode & 3)));
  }
}

}  // namespace quelvo::swf
