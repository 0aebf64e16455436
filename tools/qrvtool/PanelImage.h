// qrvtool panel-image IN... --out DIR --bits N [options]: see PanelImage.cpp.
#pragma once

int PanelImage(int argc, char** argv);
