#include <lookup/TfrmInternet.h>

#include <lookup/DomainSuffixTable.h>
#include <lookup/TfrmHelp.h>

namespace pellawin {

using namespace formlib;

namespace {

const TListLookupForm::Title kTitles[] = {{5, 11, 90, "Abbreviation"}, {100, 11, 90, "Country"}};

const TListLookupForm::Layout kLayout{{"frmInternet",
                                       "Internet WWW Country Suffixes",
                                       {200, 102, 323, 380},
                                       "frmInternet",
                                       "frmInternet",
                                       &TfrmHelp::Panel2},
                                      32,
                                      kTitles,
                                      65,
                                      kDomainSuffixRows};

} // namespace

TfrmInternet::TfrmInternet(TComponent* owner) : TListLookupForm(owner, kLayout), Box(List) {
  Panel1Resize(Panel1);
}

// Measured from the window's outer width, which leaves a wider margin than the area-code window's.
int TfrmInternet::ButtonsRight() const { return Width() - 20; }

} // namespace pellawin
