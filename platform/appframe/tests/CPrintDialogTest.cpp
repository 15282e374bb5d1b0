#include <appframe/CPrintDialog.h>

#include <gtest/gtest.h>

namespace {

HGLOBAL DeviceMode(short copies) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
  auto* mode = static_cast<DEVMODEA*>(GlobalLock(block));
  mode->dmSize = sizeof *mode;
  mode->dmFields = DM_COPIES;
  mode->dmCopies = copies;
  GlobalUnlock(block);
  return block;
}

TEST(CPrintDialogTest, CopiesComeFromTheDeviceModeWhenTheDialogSaysSo) {
  CPrintDialog dialog(FALSE);
  EXPECT_EQ(dialog.GetCopies(), 1);     // no device mode yet
  dialog.m_pd.hDevMode = DeviceMode(3); // the dialog owns it from now on
  EXPECT_EQ(dialog.GetCopies(), 3);
  dialog.m_pd.Flags &= ~PD_USEDEVMODECOPIES;
  dialog.m_pd.nCopies = 2;
  EXPECT_EQ(dialog.GetCopies(), 2);
}

TEST(CPrintDialogTest, WithoutAPrinterThereIsNoDefaultAndNoContext) {
  CPrintDialog dialog(FALSE);
  if (dialog.GetDefaults())
    GTEST_SKIP() << "a printer is installed here";
  EXPECT_EQ(dialog.m_pd.hDevMode, nullptr);
  EXPECT_EQ(dialog.m_pd.hDevNames, nullptr);
  EXPECT_EQ(dialog.CreatePrinterDC(), nullptr);
  EXPECT_EQ(dialog.m_pd.hDC, nullptr);
}

} // namespace
