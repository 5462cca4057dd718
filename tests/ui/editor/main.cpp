#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Draivo"));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
