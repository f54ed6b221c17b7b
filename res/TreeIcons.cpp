// Made by tools/icon_table.py from res/icons; do not edit by hand.
#include "res/TreeIcons.h"

const char kTreeIconKeys[] =
    " !#$%&'()*+,-./0123456789:;<=>@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{|}~";

namespace {

constexpr QRgb kRootColours[] = {
    0x00000000u, 0x091C1C1Cu, 0x08202020u, 0x07242424u, 0x55272727u, 0x5F282828u, 0x60282828u,
    0x57292929u, 0x062A2A2Au, 0xCA2F3643u, 0xC92F3845u, 0xC92F3846u, 0xC9303846u, 0xFF36563Fu,
    0xFF3B5479u, 0xFF3B547Au, 0xF73C567Cu, 0xF73C567Eu, 0xFF40494Cu, 0xFF41505Eu, 0xFF466EAAu,
    0xFF4A71ACu, 0xFF4C73ACu, 0xFF4D73ADu, 0xFF5478B0u, 0xFF5479B0u, 0xFF589F58u, 0xFF59A059u,
    0xFF6283B6u, 0xFF6F8DBBu, 0xFF78B478u, 0xFF79B579u, 0xFF819BC2u, 0xFF98CB98u, 0xFF9FB2CFu,
    0xFFA0B3CFu, 0xFFA4B6D1u, 0xFFB8E0B8u, 0xFFB9E1B9u, 0xFFC3CEDEu, 0xFFC8EBC8u, 0xFFCAD3E0u,
    0xFFEFEFEFu};
// clang-format off
constexpr const char* kRootRows[] = {
    "   !%&&&&&&%#   ",
    "  !*2//////2,$  ",
    "  %2433333341(  ",
    "  &/3JJJJAJ30'  ",
    "  &/3JJH<CJ30'  ",
    "  &/3JC;GJJ30'  ",
    "  &/3A@JJJJ30'  ",
    "  &/4.3333340'  ",
    "  &/555555550'  ",
    "  &/BI6FF6IB0'  ",
    "  &/BI6FF6IB0'  ",
    "  &/:>5==5>:0'  ",
    "  &/EL7KK8LD0'  ",
    "  %29>5==5>91(  ",
    "  #-10000001+)  ",
    "   $(''''''()   ",
};
// clang-format on

constexpr QRgb kSystemColours[] = {
    0x00000000u, 0x0749496Du, 0x4D595963u, 0xAB595964u, 0xE4595964u, 0x3F595965u, 0x1F5A5A63u,
    0xAC5A5A63u, 0x4A5A5A64u, 0x7F5A5A64u, 0xAD5A5A64u, 0xE15A5A64u, 0xE35A5A64u, 0xF55A5A64u,
    0xF65A5A64u, 0xF75A5A64u, 0xF85A5A64u, 0xFF5A5A64u, 0x475A5A65u, 0x415A5A66u, 0x2A5B5B61u,
    0x2F5C5C62u, 0x2C5D5D63u, 0x08606060u, 0xFF85858Cu, 0xFFDCDCDDu, 0xFFEBEBEBu};
// clang-format off
constexpr const char* kSystemRows[] = {
    "      '**'      ",
    "   8  &22&  8   ",
    "  6%) 4224 #-7  ",
    " 8%20(/22/+12,! ",
    "  )02222222203  ",
    "   (22222222$   ",
    "'&4/229::922.4&'",
    "*22222:;;:22222*",
    "*22222:;;:22222*",
    "'&4/229::922.4&'",
    "   +22222222(   ",
    "  #1222222220)  ",
    " 8-20$.22.(02,! ",
    "  7,3 4224 ),5  ",
    "   !  &22&  !   ",
    "      '**'      ",
};
// clang-format on

constexpr QRgb kPositionColours[] = {
    0x00000000u, 0x04BF4040u, 0x31D03434u, 0x86D13131u, 0x32D13333u, 0x69D13333u, 0x2CD13434u,
    0xB5D23131u, 0xBAD23131u, 0x66D23232u, 0xB4D23232u, 0xBBD23232u, 0xCCD23232u, 0xCDD23232u,
    0xCED23232u, 0xF6D23232u, 0xF9D23232u, 0xFDD23232u, 0xFFD23232u, 0x28D23333u, 0x2DD23333u,
    0x63D33131u, 0x68D33131u, 0x2ED33232u, 0x17D33737u, 0x06D42A2Au, 0xFFD95151u, 0xFFEDABABu,
    0xFFEDACACu, 0x01FF0000u, 0xFFFFFFFFu};
// clang-format off
constexpr const char* kPositionRows[] = {
    "     !%**%!     ",
    "    8/3333/8    ",
    "   8133333318   ",
    "  !/333;;333/!  ",
    "  %333=@@<333#  ",
    "  *33;@@@@;33*  ",
    "  633;@@@@;336  ",
    "  4333=@@<3334  ",
    "  >,333;;333)>  ",
    "   523333332'   ",
    "    $333333$    ",
    "    :.3333-:    ",
    "     403304     ",
    "      &337      ",
    "      >(+>      ",
    "       99       ",
};
// clang-format on

constexpr QRgb kSatelliteColours[] = {
    0x00000000u, 0x1B262626u, 0x0D272727u, 0x1F292929u, 0x0C2A2A2Au, 0x182A2A2Au, 0x302A3030u,
    0x4F2A3444u, 0x5A2B3647u, 0xBD2B364Du, 0x582B374Bu, 0x882B384Fu, 0x5A2B394Au, 0xA12C3E5Au,
    0x112D2D2Du, 0x2D2D2D33u, 0x492D3446u, 0x872D394Fu, 0x782D3B53u, 0x7E2D3B53u, 0xB42D3C54u,
    0x1C2E2E2Eu, 0xB82E3D5Bu, 0xAC2E3E5Cu, 0xA12E3F5Cu, 0xB22E3F5Cu, 0xC62E4061u, 0x522F3848u,
    0xBA2F3E5Cu, 0xBA2F3F5Fu, 0x6D2F4260u, 0x10303030u, 0xB1303F5Cu, 0xC6304263u, 0xC9304770u,
    0xC731456Du, 0xCA314770u, 0xCB314871u, 0xF3324D7Cu, 0x74334261u, 0xF2345083u, 0xE034538Bu,
    0xE335548Eu, 0x4236322Au, 0xEF365B9Cu, 0xF1375CA0u, 0xF3375CA0u, 0xF5375EA3u, 0xF6375EA4u,
    0xFC3963AFu, 0xFD3964B0u, 0x463A372Cu, 0xFD3A65B1u, 0xFF3B69BCu, 0xFF3B6BC1u, 0xFF3B6CC3u,
    0xFF3C6EC8u, 0xBA433F30u, 0x36473D2Fu, 0x9B4A4335u, 0x354D4330u, 0xA15A4F2Eu, 0xA05B502Eu,
    0x935F532Fu, 0x9961532Du, 0xC56E5E30u, 0xC6705F30u, 0xC4756431u, 0xC7776531u, 0xE7806C32u,
    0xDB867132u, 0xE59D8334u, 0xE8A28636u, 0xFBBC9A39u, 0xFBBD9B39u, 0xFFCAA63Au, 0xFFCCA73Au,
    0xFFDCB43Cu};
// clang-format off
constexpr const char* kSatelliteRows[] = {
    "                ",
    "             %  ",
    "           A49  ",
    "          +DTQ) ",
    "       U_7QZZZF/",
    "     !ckdCZZZZV,",
    "    $gopl^JZZXK@",
    "   (>`npph*XN80 ",
    " 'BOX5ippna=1   ",
    "ILYZZH[mpnf6    ",
    "2VZZZW;ejb&     ",
    "/GZZZP:]M       ",
    " -RSE<          ",
    "  .3#           ",
    "  %             ",
    "                ",
};
// clang-format on

} // namespace

const std::array<TreeIconTable, 4> kTreeIconTables = {{
    {kRootColours, kRootRows},
    {kSystemColours, kSystemRows},
    {kPositionColours, kPositionRows},
    {kSatelliteColours, kSatelliteRows},
}};
