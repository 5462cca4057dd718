#include <gtest/gtest.h>

#include <QApplication>

#include "platform/DutchApplication.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  draivo::prepareDutchApplication(application);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
