// Handlers of the Graphics sheet.
#include "UMainForm.h"

#include "UFigureForm.h"

void TMainForm::Graphics_TabSheetShow() {
  ShowStatus("Graphics presentations of output data can be seen and saved. Use \"Make graph\" "
             "to open an output file and make the graphs.");
  if (FigureForm)
    FigureForm->hide();
  // TODO(next step): redraw the graph of the report when OutputShown is true.
}

void TMainForm::ViewGraphButtonClick() {
  // TODO(next step): show the graph of the report the window holds.
}

void TMainForm::MakeGraphics_ButtonClick() {
  // TODO(next step): output dialog, LoadGraphData, reload of the input file, DrawGraph.
}

void TMainForm::SaveGraphButtonClick() {
  // TODO(next step): save dialog, overwrite question, BMP of GraphImage.
}

void TMainForm::GraphOpenExecute() {
  // TODO(next step): bitmap dialog and PictureImage.
}

void TMainForm::DrawGraph() {
  // TODO(next step): paint the graph into GraphImage.
}
