#pragma once

// The layout ids of the editor window's controls, shared by the window and its tests.
namespace EditorId {

// frame
inline constexpr int Tree = 1043;
inline constexpr int SatellitePane = 1075;
inline constexpr int TpPane = 1070;
inline constexpr int LocalPositionPane = 1092;
inline constexpr int SystemSettingPane = 1107;
inline constexpr int TpList = 1001;
inline constexpr int AddTp = 1005;
inline constexpr int LoadSat = 1055;
inline constexpr int Open = 1008;
inline constexpr int Save = 1009;
inline constexpr int Exit = 1011;
inline constexpr int Up = 1108;
inline constexpr int Add = 1111;
inline constexpr int Delete = 1049;
inline constexpr int Down = 1109;

// Satellite pane
inline constexpr int Name = 1073;
inline constexpr int SatLongitude = 1057;
inline constexpr int Direction = 1058;
inline constexpr int LnbType = 1059;
inline constexpr int LnbPower = 1060;
inline constexpr int LowFreq = 1061;
inline constexpr int HighFreq = 1062;
inline constexpr int SwitchType = 1063;
inline constexpr int SwitchInput = 1064;
inline constexpr int Tone22k = 1065;
inline constexpr int PositionType = 1066;

// TP pane
inline constexpr int TpPolarity = 1067;
inline constexpr int TpFreq = 1068;
inline constexpr int TpSymbolRate = 1069;

// Local Position pane
inline constexpr int LocalLongitude = 1080;
inline constexpr int LocalDirection = 1078;
inline constexpr int LocalLatitude = 1077;
inline constexpr int Hemisphere = 1079;

// System Setting pane
inline constexpr int BeepOff = 1101;
inline constexpr int BeepOn = 1104;
inline constexpr int BacklightOff = 1105;
inline constexpr int BacklightOn = 1106;
inline constexpr int AutoPowerOff = 1103;
inline constexpr int Language = 1102;

// labels
inline constexpr int NameLabel = 1076;
inline constexpr int SatLongitudeLabel = 1081;
inline constexpr int DirectionLabel = 1082;
inline constexpr int LnbTypeLabel = 1083;
inline constexpr int LnbPowerLabel = 1084;
inline constexpr int LowFreqLabel = 1085;
inline constexpr int HighFreqLabel = 1086;
inline constexpr int SwitchTypeLabel = 1087;
inline constexpr int SwitchInputLabel = 1088;
inline constexpr int Tone22kLabel = 1089;
inline constexpr int PositionTypeLabel = 1090;
inline constexpr int TpPolarityLabel = 1071;
inline constexpr int TpFreqLabel = 1072;
inline constexpr int TpSymbolRateLabel = 1074;
inline constexpr int LocalLongitudeLabel = 1091;
inline constexpr int LocalDirectionLabel = 1093;
inline constexpr int LocalLatitudeLabel = 1094;
inline constexpr int HemisphereLabel = 1095;
inline constexpr int BeepLabel = 1096;
inline constexpr int BacklightLabel = 1097;
inline constexpr int AutoPowerOffLabel = 1098;
inline constexpr int LanguageLabel = 1099;

} // namespace EditorId
