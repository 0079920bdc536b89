#pragma once

#include <QObject>
#include <QString>

namespace quelvo::core {

// The folders the open dialog and the catalog-file dialogs start in.
class LastFolders : public QObject {
  Q_OBJECT

 public:
  QString open() const { return open_; }
  QString catalog() const { return catalog_; }
  void setOpen(const QString& folder) { update(open_, folder); }
  void setCatalog(const QString& folder) { update(catalog_, folder); }

 signals:
  void changed();

 private:
  void update(QString& kept, const QString& folder) {
    if (kept == folder) return;
    kept = folder;
    emit changed();
  }

  QString open_;
  QString catalog_;
};

}  // namespace quelvo::core
