#include "skins/SkinSwitcher.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "core/Actions.h"

namespace quelvo::skins {

SkinSwitcher::SkinSwitcher(QObject* owner) : QObject(owner) {
  const char* const captions[5] = {"默认  Alt+Q", "-", "油画  Alt+1", "笑脸  Alt+2", "爱心  Alt+3"};
  for (int i = 0; i < 5; ++i) {
    const QString name = core::arrayName(QStringLiteral("MNUSKIN"), i);
    if (i == 1) {
      MNUSKIN[i] = core::makeSeparator(this, name);
      continue;
    }
    MNUSKIN[i] = core::makeCheckableAction(this, name, QString::fromUtf8(captions[i]), i == 0);
    core::connectToggle(MNUSKIN[i], this, [this, i] { MNUSKIN_Click(i); });
  }
}

QMenu* SkinSwitcher::createMenu(QWidget* parent) const {
  auto* menu = new QMenu(QStringLiteral("皮肤"), parent);
  menu->setObjectName(QStringLiteral("MNUSKINs"));
  for (QAction* item : MNUSKIN) menu->addAction(item);
  return menu;
}

bool SkinSwitcher::isChecked(int index) const {
  return index != 1 && index >= 0 && index < 5 && MNUSKIN[index]->isChecked();
}

void SkinSwitcher::MNUSKIN_Click(int index) {
  if (index < 0 || index >= 5 || index == 1 || isChecked(index)) return;
  // Picture schemes need the skinned face; without it the default face stays.
  if (index != 0) return;
  for (int i : {0, 2, 3, 4}) MNUSKIN[i]->setChecked(i == index);
}

}  // namespace quelvo::skins
