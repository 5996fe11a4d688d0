// moravin: spreads a heading over a span of character widths and tells the
// extra space per gap in thousandths of an em.

#include "Unit1.h"

#include "vcl/application/RunProgram.h"
#include "vcl/application/TApplication.h"

namespace {

void StartUp()
{
    Application->Initialize();
    Application->SetTitle("moravin");
    Application->CreateForm(Form1);
    Application->Run();
}

} // namespace

int main(int argc, char* argv[])
{
    return RunProgram(argc, argv, StartUp);
}
