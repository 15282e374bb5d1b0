#pragma once

#include <formsrt/Controls.h>
#include <formsrt/Form.h>
#include <formsrt/Image.h>

#include <cstdint>
#include <string>

namespace notaris {

// "Physical Memory Available to Windows:  " and the kilobytes, grouped, at least five digits.
std::string physicalMemoryLine(std::uint64_t bytes);
// "Physical Memory Currently In Use:  " and the memory load in per cent.
std::string memoryInUseLine(unsigned percent);

// The about form: the program's name and version and how much memory the system has.
class Form6 : public formsrt::Form {
public:
  Form6();

  formsrt::Image Image1;
  formsrt::Label Label1;
  formsrt::Label Label2;
  formsrt::Label Label3;
  formsrt::Label Label4;
  formsrt::CommandButton Command1;

  void Form_Load() override;
};

} // namespace notaris
