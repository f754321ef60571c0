#include "app/CommandTable.h"

#include <algorithm>

namespace tavrel {
namespace {

using enum Route;

// Every command: its menu text, its prompt ("status text\ntooltip"), keys, icon and who handles it.
const std::vector<CommandInfo> kCommands = {
    // ---- application ----
    {32771, "Launch Zav", "Launch Zav\nRun Zav", {}, "", Application},
    {32772, "Edit Zav Location...", "", {}, "", Application},
    {32773, "Import From Exe...", "Import Car From zav.exe\n Import Car from Exe", {}, "import-exe", Application},
    {32829, "Set RCR distance trigger", "", {}, "", Application},
    {32848, "Set Animation Delay", "", {}, "", Application},
    {32849, "Use Internal Jams", "", {}, "", Application, true},
    {32873, "Edit Zav Patch Level", "", {}, "", Application},
    {57600, "&New", "Create a new document\nNew", {"Ctrl+N"}, "new", Application},
    {57601, "&Load Car...\tCtrl+O", "Open an existing document\nOpen", {"Ctrl+O"}, "open", Application},
    {57606, "P&rint Setup...", "Change the printer and printing options\nPrint Setup", {}, "", Application},
    {57616, "Recent File", "Open this document", {}, "", Application},
    {57664, "&About Tavrel...", "Show the program's version and the libraries it uses\nAbout", {}, "", Application},
    {57665, "E&xit", "Quit the application; prompts to save documents\nExit", {}, "", Application},
    // ---- main frame ----
    {57649, "&Arrange Icons", "Line up the minimised windows\nArrange Icons", {}, "", MainFrame},
    {57650, "&Cascade", "Arrange the windows so that they overlap\nCascade Windows", {}, "", MainFrame},
    {57651, "&Tile", "Arrange the windows side by side\nTile Windows", {}, "", MainFrame},
    {57667, "&Help Topics", "Open the user guide\nHelp Topics", {}, "", MainFrame},
    {57669, "What's &This?", "Click on a part of the window to learn about it\nWhat's This", {"Shift+F1"}, "", MainFrame},
    {57670, "&Help", "Open the user guide\nHelp", {"F1"}, "", MainFrame},
    {57671, "&Help", "Open the user guide\nHelp", {}, "", MainFrame},
    {59392, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", {}, "", MainFrame, true},
    {59393, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", {}, "", MainFrame, true},
    // ---- nobody handles these: always disabled ----
    {57634, "&Copy\tCtrl+C", "Copy the selection to the clipboard\nCopy", {"Ctrl+C", "Ctrl+Ins"}, "", View},
    {57635, "Cu&t\tCtrl+X", "Cut the selection to the clipboard\nCut", {"Ctrl+X", "Shift+Del"}, "", View},
    {57637, "&Paste\tCtrl+V", "Insert the clipboard's contents\nPaste", {"Ctrl+V", "Shift+Ins"}, "", View},
    {57680, "Next Pane", "Switch to the next window pane\nNext Pane", {"F6"}, "", View},
    {57681, "Previous Pane", "Switch back to the previous window pane\nPrevious Pane", {"Shift+F6"}, "", View},
    // ---- document ----
    {57643, "&Undo\tCtrl+Z", "Undo the last change\nUndo", {"Ctrl+Z", "Alt+Backspace"}, "", Document},
    {57644, "&Redo\tCtrl+Y", "Redo the last change undone\nRedo", {"Ctrl+Y", "Ctrl+Shift+Z"}, "", Document},
    {32774, "Export To Exe...", "Export Car to zav.exe\nExport Car to Exe", {}, "export-exe", Document},
    {32830, "JAM View", "", {}, "", Document},
    {32833, "Import Helmet", "", {}, "", Document},
    {32856, "Export WaveFront (*.obj)", "", {}, "", Document},
    {32871, "Export Cameras...", "Save cameras to disk\nSave Camera File", {}, "", Document},
    {32872, "Import Cameras...", "Load cameras from disk\nLoad Camera File", {}, "", Document},
    {32874, "Export CTF...", "", {}, "", Document},
    {32875, "Import CTF...", "", {}, "", Document},
    {32877, "Export Helmet", "", {}, "", Document},
    {32878, "Import Wheels", "", {}, "", Document},
    {32879, "ExportWheels", "", {}, "", Document},
    {32880, "Import Cockpit", "", {}, "", Document},
    {32881, "Export Cockpit", "", {}, "", Document},
    {32883, "Import Steering Wheel", "", {}, "", Document},
    {32884, "Export Steering Wheel", "", {}, "", Document},
    {32890, "Export glTF...", "Export the car, its parts and textures as glTF\nExport glTF", {}, "", Document},
    {32891, "Import WaveFront Points...",
     "Take the car's points back from a WaveFront file a modeller wrote\nImport WaveFront Points", {}, "", Document},
    {57648, "&New Window", "Open another window on the active document\nNew Window", {}, "", Document},
    {57602, "&Close", "Close the active document\nClose", {"Ctrl+W", "Ctrl+F4"}, "", Document},
    {57603, "&Save", "Save the active document\nSave", {"Ctrl+S"}, "save", Document},
    {57604, "Save &As...", "Save the active document with a new name\nSave As", {}, "", Document},
    // ---- car view ----
    {32776, "Fill Polygons", "Fill Polygons\nFill Polygons", {}, "fill", View, true},
    {32779, "Show Points", "Show Points\nShow Points", {}, "points", View, true},
    {32782, "Show Tyres", "Show Tyres\nShow Tyres", {}, "tyres", View, true},
    {32783, "Show Helmet", "Show Helmet\nShow Helmet", {}, "helmet", View, true},
    {32787, "Draw Axis", "Draw Axis\nDraw Axis", {}, "axis", View, true},
    {32789, "Show InCar Cameras", "Show InCar Cameras\nShow Cameras", {}, "cameras", View, true},
    {32790, "Use Texture Maps", "Use Texture Maps\nTexture Maps", {}, "textures", View, true},
    {32792, "Show Shadow Box", "Show Shadow Box", {}, "", View, true},
    {32793, "Show Verticies", "Show Verticies\nShow Verticies", {}, "verticies", View, true},
    {32794, "Backface Culling", "Backface Culling\nBackface Culling", {}, "culling", View, true},
    {32795, "Show Normals", "Show Normals\nShow Normals", {}, "normals", View, true},
    {32796, "Show Single Color", "Show Single Color\nShow Single Color", {}, "", View, true},
    {32797, "Lighting", "Lighting\nLighting", {}, "", View, true},
    {32798, "Show Car", "Show Car\nShow Car", {}, "car", View, true},
    {32799, "Show Point Numbers", "Show Point Numbers\nShow Point Numbers", {}, "point-numbers", View, true},
    {32800, "Show Vertex Numbers", "Show Vertex Numbers\nShow Vertex Numbers", {}, "vertex-numbers", View, true},
    {32802, "Show Camera Numbers", "Show Camera Numbers\nCamera Numbers", {}, "", View, true},
    {32803, "Show Polygon Numbers", "Show Polygon Numbers\nShow Polygon Numbers", {}, "polygon-numbers", View, true},
    {32805, "Set Car Texture Jam", "", {}, "", View},
    {32806, "View From Camera 1", "", {}, "", View, true},
    {32807, "View From Camera 4", "", {}, "", View, true},
    {32808, "View From Camera 3", "", {}, "", View, true},
    {32809, "View From Camera 5", "", {}, "", View, true},
    {32810, "View From Camera 6", "", {}, "", View, true},
    {32811, "View From Camera 7", "", {}, "", View, true},
    {32812, "View From Camera 8", "", {}, "", View, true},
    {32813, "View From Camera 9", "", {}, "", View, true},
    {32814, "Normal View", "", {}, "", View, true},
    {32815, "View From Camera 2", "", {}, "", View, true},
    {32816, "View Right Side", "", {}, "", View},
    {32817, "View Left Side", "", {}, "", View},
    {32818, "View Front", "", {}, "", View},
    {32819, "View Bottom", "", {}, "", View},
    {32820, "View Top", "", {}, "", View},
    {32821, "View Back", "", {}, "", View},
    {32822, "View Front Left", "", {}, "", View},
    {32823, "View Front Right", "", {}, "", View},
    {32824, "View Back Left", "", {}, "", View},
    {32825, "View Back Right", "", {}, "", View},
    {32826, "Start/Stop Animation", "", {}, "", View, true},
    {32827, "Zoom In", "Zoom In\nZoom In", {}, "zoom-in", View},
    {32828, "Zoom Out", "Zoom Out\nZoom Out", {}, "zoom-out", View},
    {32831, "Show RCR Jam Ids", "Show RCR Jam Ids", {}, "", View, true},
    {32850, "Show Nose Cone Indicator", "Show Nose Cone Indicator", {}, "", View, true},
    {32851, "Export RCR JAM", "Export RCR JAM", {}, "", View},
    {32854, "Draw RCR Jam", "Draw RCR Jam", {}, "", View, true},
    {32855, "Produce RCR Images", "Produce RCR Images", {}, "", View},
    {32859, "RCR Distances", "", {}, "", View},
    {32862, "Show Cockpit", "", {}, "cockpit", View, true},
    {32865, "Show Steering Wheel", "Show Steering Wheel\nSteering Wheel", {}, "steering-wheel", View, true},
    {32868, "Reload Texture.cfg", "Reload Texture.cfg\nReload Texture.cfg", {}, "reload", View},
    {57607, "&Print...\tCtrl+P", "Print the active document\nPrint", {"Ctrl+P"}, "", View},
    {57608, "Print Directly", "Print the active document without asking\nPrint Directly", {}, "", View},
    {57609, "Print Pre&view", "Display full pages\nPrint Preview", {}, "", View},
};

const std::vector<PartCommands> kPartCommands = {
    {ShapeKind::Helmet, 32877, 32833},
    {ShapeKind::Cockpit, 32881, 32880},
    {ShapeKind::Wheel, 32879, 32878},
    {ShapeKind::SteeringWheel, 32884, 32883},
};

constexpr MenuItem kSep{};

MenuItem Item(int id, std::string_view text = {}) { return {id, text, {}}; }

MenuTitle HelpMenu() {
  using namespace command;
  return {"&Help", {Item(kHelpTopics), kSep, Item(kAbout)}};
}

std::vector<MenuTitle> MakeMainMenu() {
  using namespace command;
  return {
      {"&File",
       {Item(kOpen), Item(32833, "Load Helmet"), Item(kImportFromExe), Item(kLaunchZav), Item(kExportObj), kSep,
        Item(kPrintSetup), kSep, Item(kRecentFile), kSep, Item(kExit)}},
      {"Edit", {Item(kUndo), Item(kRedo), kSep, Item(kEditLocation), Item(kEditPatchLevel), Item(kTriggerDistance)}},
      {"&View", {Item(kToggleToolbar), Item(kToggleStatusBar)}},
      {"JAM", {Item(32805), Item(kUseInternalJams)}},
      HelpMenu(),
  };
}

std::vector<MenuTitle> MakeDocumentMenu() {
  using namespace command;
  std::vector<MenuItem> cameraItems = {Item(kNormalView)};
  for (int id : kCameraViews) cameraItems.push_back(Item(id));
  cameraItems.push_back(kSep);
  for (const FixedViewCommand& fixed : kFixedViewCommands) cameraItems.push_back(Item(fixed.id));
  return {
      {"&File",
       {Item(kOpen), Item(kImportFromExe), Item(kLaunchZav), Item(kClose), Item(kSaveAs), Item(kExportToExe), kSep,
        Item(kExportCameras), Item(kImportCameras), kSep, Item(kExportCtf), Item(kImportCtf), Item(kExportObj),
        Item(kImportObjPoints), Item(kExportGltf), kSep,
        MenuItem{0, "Import", {Item(32833), Item(32878), Item(32880), Item(32883)}},
        MenuItem{0, "Export", {Item(32877), Item(32879), Item(32881), Item(32884)}}, kSep, Item(kPrint),
        Item(kPrintPreview), kSep, Item(kRecentFile), kSep, Item(kExit)}},
      {"&Edit",
       {Item(kUndo), Item(kRedo), kSep, Item(57635), Item(57634), Item(57637), kSep, Item(kEditLocation),
        Item(kRcrDistances), Item(kTriggerDistance)}},
      {"&View",
       {Item(kToggleToolbar), Item(kToggleStatusBar), kSep, Item(32793), Item(32779), kSep, Item(32800), Item(32799),
        Item(32802), kSep, Item(32798), Item(32782), Item(32783), Item(kShowSingleColor), Item(kLighting)}},
      {"Animate", {Item(32826), Item(kSetAnimationDelay)}},
      {"Camera", cameraItems},
      {"JAM",
       {Item(32805), Item(kJamView), Item(kShowJamIds), Item(kUseInternalJams), kSep, Item(kDrawRcrJam),
        Item(kProduceRcrImages)}},
      {"&Window", {Item(kNewWindow), Item(kCascade), Item(kTile), Item(kArrangeIcons)}},
      HelpMenu(),
  };
}

constexpr int S = command::kSeparator;
constexpr int kMainToolbar[] = {57600, 57601, 57603, S, 32827, 32828, S, 32798, 32782, S,
                                32783, 32789, S,     32862, 32865, S,     32773, 32774};
constexpr int kDisplayToolbar[] = {32790, 32868, S, 32776, S, 32779, 32793, 32787, S, 32799, 32800, 32803, 32794, 32795};

std::string_view UpTo(std::string_view text, char end) { return text.substr(0, text.find(end)); }

}  // namespace

std::string_view CommandInfo::StatusPrompt() const { return UpTo(prompt, '\n'); }

std::string_view CommandInfo::Tooltip() const {
  const auto lineBreak = prompt.find('\n');
  return lineBreak == std::string_view::npos ? MenuLabel() : prompt.substr(lineBreak + 1);
}

std::string_view CommandInfo::MenuLabel() const { return UpTo(menuText, '\t'); }

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(int id) {
  const auto found = std::ranges::find(kCommands, id, &CommandInfo::id);
  return found == kCommands.end() ? nullptr : &*found;
}

std::span<const PartCommands> PartCommandIds() { return kPartCommands; }

const std::vector<MenuTitle>& MainMenu() {
  static const std::vector<MenuTitle> menu = MakeMainMenu();
  return menu;
}

const std::vector<MenuTitle>& DocumentMenu() {
  static const std::vector<MenuTitle> menu = MakeDocumentMenu();
  return menu;
}

std::span<const int> MainToolbar() { return kMainToolbar; }
std::span<const int> DisplayToolbar() { return kDisplayToolbar; }

}  // namespace tavrel
