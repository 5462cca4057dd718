#include <gtest/gtest.h>

#include <QApplication>

#include "platform/DutchApplication.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  draivo::prepareDutchApplication(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
