#pragma once

#include <QImage>
#include <list>
#include <utility>

namespace quelvo::swf {

// Pictures kept by key across frames, so that what is drawn the same way
// again (static content, a paused movie) is copied instead of drawn. The
// least recently used go first once the pictures pass a budget of pixels.
template <typename Key>
class RecentPictures {
 public:
  explicit RecentPictures(qint64 mostPixels) : mostPixels_(mostPixels) {}

  // The picture kept under key, now the most recently used; null when none is.
  const QImage* find(const Key& key) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->first == key) {
        entries_.splice(entries_.begin(), entries_, it);
        return &entries_.front().second;
      }
    }
    return nullptr;
  }

  // Keeps picture under key, unless it alone is over the budget.
  void keep(Key key, QImage picture) {
    const qint64 pixels = pixelsOf(picture);
    if (pixels > mostPixels_) return;
    entries_.emplace_front(std::move(key), std::move(picture));
    pixels_ += pixels;
    while (pixels_ > mostPixels_) {
      pixels_ -= pixelsOf(entries_.back().second);
      entries_.pop_back();
    }
  }

  // Drops the pictures whose keys match.
  template <typename Matches>
  void dropIf(const Matches& matches) {
    for (auto it = entries_.begin(); it != entries_.end();) {
      if (matches(it->first)) {
        pixels_ -= pixelsOf(it->second);
        it = entries_.erase(it);
      } else {
        ++it;
      }
    }
  }

 private:
  static qint64 pixelsOf(const QImage& picture) {
    return qint64{picture.width()} * picture.height();
  }

  qint64 mostPixels_;
  std::list<std::pair<Key, QImage>> entries_;  // most recently used first
  qint64 pixels_ = 0;
};

}  // namespace quelvo::swf
