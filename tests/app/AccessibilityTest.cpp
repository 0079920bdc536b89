#include <gtest/gtest.h>

#include <QAccessible>

#include "catalog/CatalogModel.h"
#include "support/Accessibility.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

class AccessibilityTest : public PlayerFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(start());
    form().show();
  }
};

// Every name and value a screen reader can reach, depth first.
void collectSpoken(QAccessibleInterface* node, QStringList& spoken, int depth = 0) {
  if (node == nullptr || depth > 40) return;
  spoken << node->text(QAccessible::Name) << node->text(QAccessible::Value);
  for (int i = 0; i < node->childCount(); ++i) collectSpoken(node->child(i), spoken, depth + 1);
}

TEST_F(AccessibilityTest, CatalogOffersOnlyTheTextsTheUserSees) {
  catalog().append({QStringLiteral("/藏起来的/路径/片子.swf"), QStringLiteral("片子")});
  QStringList spoken;
  collectSpoken(QAccessible::queryAccessibleInterface(&form()), spoken);
  EXPECT_TRUE(spoken.contains(QStringLiteral("片子")));
  EXPECT_FALSE(spoken.join(QLatin1Char('\n')).contains(QStringLiteral("藏起来的")));
}

TEST_F(AccessibilityTest, NamedWidgetsAndActionsHaveNamesForScreenReaders) {
  EXPECT_EQ(unnamedParts(form()).join(QStringLiteral(", ")).toStdString(), "");
}

}  // namespace
}  // namespace quelvo::test
