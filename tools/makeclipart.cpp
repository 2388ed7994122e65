// Writes the clip art the program ships in data/Clipart: seasonal and
// holiday pictures drawn here as SVG, each also recorded as an enhanced
// metafile by the program's own SVG reader, so that both kinds can be
// placed from a fresh installation.
//
//   makeclipart data/Clipart
#include <cstdio>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>

#include "imaging/svgimport.h"

namespace {

struct Picture {
    const char* name;
    const char* body;  // drawn on a 200 x 200 canvas
};

// Shared paint servers, used by name in the bodies.
const char kDefs[] = R"svg(<defs>
<radialGradient id="shine" cx="0.35" cy="0.3" r="0.7"><stop offset="0" stop-color="#ffffff" stop-opacity="0.8"/><stop offset="1" stop-color="#ffffff" stop-opacity="0"/></radialGradient>
<linearGradient id="gold" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#fff3a0"/><stop offset="1" stop-color="#d89a00"/></linearGradient>
<linearGradient id="green" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#3fa84a"/><stop offset="1" stop-color="#16602a"/></linearGradient>
<linearGradient id="red" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#f04040"/><stop offset="1" stop-color="#9a0c14"/></linearGradient>
<linearGradient id="orange" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#ffb347"/><stop offset="1" stop-color="#d9600c"/></linearGradient>
<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#8fd3ff"/><stop offset="1" stop-color="#e6f6ff"/></linearGradient>
<radialGradient id="snowball" cx="0.4" cy="0.35" r="0.65"><stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#c4d6ec"/></radialGradient>
</defs>)svg";

const Picture kPictures[] = {
    {"snowman", R"svg(<ellipse cx="100" cy="188" rx="70" ry="9" fill="#000" fill-opacity="0.15"/>
<circle cx="100" cy="145" r="45" fill="url(#snowball)" stroke="#8aa0c0" stroke-width="2"/>
<circle cx="100" cy="80" r="32" fill="url(#snowball)" stroke="#8aa0c0" stroke-width="2"/>
<rect x="82" y="14" width="36" height="34" fill="#222"/><rect x="70" y="44" width="60" height="8" rx="2" fill="#222"/>
<circle cx="89" cy="74" r="4" fill="#222"/><circle cx="111" cy="74" r="4" fill="#222"/>
<path d="M100,82 L126,88 L100,92 Z" fill="#f07818"/>
<path d="M70,104 Q100,118 130,104 L132,114 Q100,128 68,114 Z" fill="url(#red)"/>
<path d="M118,112 L126,142 L114,142 L110,116 Z" fill="#c01820"/>
<circle cx="100" cy="136" r="4" fill="#222"/><circle cx="100" cy="154" r="4" fill="#222"/>
<path d="M58,128 L22,104 M140,128 L178,100" stroke="#6b3d1f" stroke-width="4" stroke-linecap="round"/>)svg"},
    {"snowflake", R"svg(<g stroke="#5aa0e6" stroke-width="8" stroke-linecap="round" fill="none">
<g id="arm"><path d="M100,100 L100,18"/><path d="M100,50 L82,34 M100,50 L118,34 M100,74 L88,62 M100,74 L112,62"/></g>
<use xlink:href="#arm" transform="rotate(60 100 100)"/><use xlink:href="#arm" transform="rotate(120 100 100)"/>
<use xlink:href="#arm" transform="rotate(180 100 100)"/><use xlink:href="#arm" transform="rotate(240 100 100)"/>
<use xlink:href="#arm" transform="rotate(300 100 100)"/></g>
<circle cx="100" cy="100" r="10" fill="#ffffff" stroke="#5aa0e6" stroke-width="4"/>)svg"},
    {"christmas-tree", R"svg(<rect x="88" y="160" width="24" height="30" fill="#6b3d1f"/>
<path d="M100,20 L150,80 L128,80 L170,130 L140,130 L184,170 L16,170 L60,130 L30,130 L72,80 L50,80 Z" fill="url(#green)" stroke="#0d4a20" stroke-width="3" stroke-linejoin="round"/>
<path d="M62,110 Q100,128 140,104 M48,150 Q100,172 156,142" fill="none" stroke="#e02828" stroke-width="4" stroke-dasharray="10 5"/>
<circle cx="80" cy="96" r="6" fill="#2060e0"/><circle cx="122" cy="122" r="6" fill="#e0c000"/><circle cx="70" cy="140" r="6" fill="#e02828"/><circle cx="138" cy="156" r="6" fill="#2060e0"/>
<path d="M100,4 L106,18 L121,18 L109,27 L114,41 L100,32 L86,41 L91,27 L79,18 L94,18 Z" fill="url(#gold)" stroke="#a07000" stroke-width="1.5"/>)svg"},
    {"star", R"svg(<path d="M100,10 L124,72 L190,74 L138,114 L156,178 L100,140 L44,178 L62,114 L10,74 L76,72 Z" fill="url(#gold)" stroke="#a07000" stroke-width="4" stroke-linejoin="round"/>
<path d="M100,30 L116,76 L160,78 L100,96 Z" fill="#ffffff" fill-opacity="0.35"/>)svg"},
    {"bell", R"svg(<path d="M100,24 C140,24 150,60 152,100 C154,130 164,146 180,160 L20,160 C36,146 46,130 48,100 C50,60 60,24 100,24 Z" fill="url(#gold)" stroke="#a07000" stroke-width="4"/>
<circle cx="100" cy="172" r="14" fill="#c08800" stroke="#a07000" stroke-width="3"/>
<path d="M60,60 Q76,40 92,38" stroke="#ffffff" stroke-opacity="0.7" stroke-width="8" fill="none" stroke-linecap="round"/>
<path d="M84,22 Q100,2 116,22" stroke="#c01820" stroke-width="8" fill="none"/>
<path d="M100,16 L70,6 L76,30 Z M100,16 L130,6 L124,30 Z" fill="url(#red)"/>)svg"},
    {"candle", R"svg(<ellipse cx="100" cy="60" rx="40" ry="50" fill="#ffe680" fill-opacity="0.35"/>
<path d="M100,24 C112,44 112,60 100,66 C88,60 88,44 100,24 Z" fill="url(#orange)"/>
<path d="M100,40 C105,50 105,58 100,62 C95,58 95,50 100,40 Z" fill="#fff6b0"/>
<rect x="98" y="64" width="4" height="12" fill="#333"/>
<rect x="74" y="76" width="52" height="100" rx="6" fill="url(#red)"/>
<path d="M74,84 Q86,96 92,84 Q96,104 104,90 L104,76 L74,76 Z" fill="#ffffff" fill-opacity="0.4"/>
<ellipse cx="100" cy="182" rx="50" ry="10" fill="#999999" stroke="#666" stroke-width="2"/>)svg"},
    {"gift", R"svg(<rect x="30" y="80" width="140" height="100" fill="url(#red)" stroke="#7a0a10" stroke-width="3"/>
<rect x="22" y="60" width="156" height="28" fill="#e03030" stroke="#7a0a10" stroke-width="3"/>
<rect x="90" y="60" width="20" height="120" fill="url(#gold)"/>
<path d="M100,60 C70,20 40,40 60,60 Z M100,60 C130,20 160,40 140,60 Z" fill="url(#gold)" stroke="#a07000" stroke-width="3"/>)svg"},
    {"candy-cane", R"svg(<path d="M120,186 L120,64 A30,30 0 0 0 60,64" fill="none" stroke="#ffffff" stroke-width="28" stroke-linecap="round"/>
<path d="M120,186 L120,64 A30,30 0 0 0 60,64" fill="none" stroke="#e02020" stroke-width="28" stroke-dasharray="14 14" stroke-linecap="butt"/>
<path d="M120,186 L120,64 A30,30 0 0 0 60,64" fill="none" stroke="#000" stroke-opacity="0.15" stroke-width="4" transform="translate(6,0)"/>)svg"},
    {"holly", R"svg(<path d="M100,100 C80,70 60,80 40,60 C44,76 30,80 24,90 C40,92 42,104 36,118 C56,108 70,118 100,100 Z" fill="url(#green)" stroke="#0d4a20" stroke-width="3"/>
<path d="M100,100 C120,70 140,80 160,60 C156,76 170,80 176,90 C160,92 158,104 164,118 C144,108 130,118 100,100 Z" fill="url(#green)" stroke="#0d4a20" stroke-width="3"/>
<circle cx="90" cy="108" r="14" fill="url(#red)"/><circle cx="112" cy="110" r="14" fill="url(#red)"/><circle cx="100" cy="126" r="14" fill="url(#red)"/>
<circle cx="86" cy="103" r="4" fill="#ffffff" fill-opacity="0.7"/><circle cx="108" cy="105" r="4" fill="#ffffff" fill-opacity="0.7"/>)svg"},
    {"bauble", R"svg(<rect x="88" y="20" width="24" height="18" fill="url(#gold)" stroke="#a07000" stroke-width="2"/>
<path d="M100,20 Q100,4 88,8" fill="none" stroke="#a07000" stroke-width="3"/>
<circle cx="100" cy="112" r="74" fill="url(#red)"/>
<path d="M30,104 Q100,130 170,104 L168,124 Q100,150 32,124 Z" fill="url(#gold)"/>
<circle cx="100" cy="112" r="74" fill="url(#shine)"/>)svg"},
    {"mitten", R"svg(<path d="M60,170 L56,90 C54,50 80,30 104,34 C126,38 136,60 134,90 L150,70 C160,60 176,66 172,84 L142,130 L140,170 Z" fill="url(#red)" stroke="#7a0a10" stroke-width="3"/>
<rect x="52" y="160" width="94" height="26" rx="8" fill="#ffffff" stroke="#c0c0c0" stroke-width="2"/>
<path d="M70,70 L120,70 M66,100 L126,100 M68,130 L132,130" stroke="#ffffff" stroke-width="5" stroke-dasharray="8 6"/>)svg"},
    {"stocking", R"svg(<path d="M70,40 L130,40 L130,120 C130,150 120,176 80,178 C50,180 30,166 34,146 C38,130 56,124 70,120 Z" fill="url(#red)" stroke="#7a0a10" stroke-width="3"/>
<rect x="62" y="20" width="76" height="30" rx="8" fill="#ffffff" stroke="#c0c0c0" stroke-width="2"/>
<path d="M40,150 C50,170 70,176 86,176 L90,160 C70,160 56,152 50,140 Z" fill="#ffffff" fill-opacity="0.8"/>)svg"},
    {"heart", R"svg(<path d="M100,176 C40,130 14,100 20,64 C26,34 64,22 100,56 C136,22 174,34 180,64 C186,100 160,130 100,176 Z" fill="url(#red)" stroke="#7a0a10" stroke-width="4"/>
<ellipse cx="64" cy="66" rx="22" ry="12" transform="rotate(-30 64 66)" fill="#ffffff" fill-opacity="0.5"/>)svg"},
    {"shamrock", R"svg(<path d="M100,110 Q90,150 70,186" fill="none" stroke="#1e7a3a" stroke-width="8" stroke-linecap="round"/>
<g fill="url(#green)" stroke="#0d4a20" stroke-width="3">
<path d="M100,104 C70,110 40,90 52,64 C58,50 78,50 86,62 C80,44 92,24 110,28 C130,32 130,60 100,104 Z"/>
<path d="M100,104 C104,74 126,54 148,62 C166,70 162,92 146,98 C164,100 170,120 156,132 C138,146 114,128 100,104 Z"/>
<path d="M100,104 C90,132 66,150 48,140 C32,130 38,110 54,106 C36,100 38,78 56,74"/></g>)svg"},
    {"easter-egg", R"svg(<path d="M100,14 C150,14 176,90 176,126 C176,166 142,190 100,190 C58,190 24,166 24,126 C24,90 50,14 100,14 Z" fill="#ffd6e8" stroke="#c06090" stroke-width="3"/>
<path d="M30,100 Q50,86 70,100 Q90,114 110,100 Q130,86 150,100 Q166,110 172,104" fill="none" stroke="#8a4ad0" stroke-width="8"/>
<path d="M26,136 L174,136" stroke="#40b0a0" stroke-width="12"/>
<circle cx="70" cy="60" r="8" fill="#f0c020"/><circle cx="110" cy="50" r="8" fill="#f0c020"/><circle cx="136" cy="72" r="8" fill="#f0c020"/>
<path d="M100,14 C150,14 176,90 176,126 C176,166 142,190 100,190 C58,190 24,166 24,126 C24,90 50,14 100,14 Z" fill="url(#shine)"/>)svg"},
    {"tulip", R"svg(<path d="M100,110 L100,190" stroke="#2e8b3e" stroke-width="8"/>
<path d="M100,170 C70,160 56,130 60,110 C80,120 96,140 100,170 Z" fill="url(#green)"/>
<path d="M60,40 L80,70 L100,30 L120,70 L140,40 C150,80 140,120 100,124 C60,120 50,80 60,40 Z" fill="#e8407a" stroke="#a01850" stroke-width="3"/>
<path d="M80,70 C80,90 90,110 100,120" fill="none" stroke="#a01850" stroke-width="2"/>)svg"},
    {"sun", R"svg(<g stroke="#ffb000" stroke-width="10" stroke-linecap="round">
<path d="M100,10 L100,38 M100,162 L100,190 M10,100 L38,100 M162,100 L190,100 M36,36 L56,56 M144,144 L164,164 M36,164 L56,144 M144,56 L164,36"/></g>
<circle cx="100" cy="100" r="56" fill="url(#gold)" stroke="#e09000" stroke-width="4"/>
<circle cx="82" cy="90" r="6" fill="#6b3d1f"/><circle cx="118" cy="90" r="6" fill="#6b3d1f"/>
<path d="M76,116 Q100,138 124,116" fill="none" stroke="#6b3d1f" stroke-width="6" stroke-linecap="round"/>)svg"},
    {"butterfly", R"svg(<path d="M96,96 C60,30 10,40 20,84 C26,110 60,110 96,100 Z" fill="#ff8c1a" stroke="#402000" stroke-width="3"/>
<path d="M104,96 C140,30 190,40 180,84 C174,110 140,110 104,100 Z" fill="#ff8c1a" stroke="#402000" stroke-width="3"/>
<path d="M96,104 C60,110 30,140 50,160 C66,176 90,150 96,110 Z" fill="#ffc040" stroke="#402000" stroke-width="3"/>
<path d="M104,104 C140,110 170,140 150,160 C134,176 110,150 104,110 Z" fill="#ffc040" stroke="#402000" stroke-width="3"/>
<circle cx="46" cy="72" r="8" fill="#ffffff" fill-opacity="0.8"/><circle cx="154" cy="72" r="8" fill="#ffffff" fill-opacity="0.8"/>
<ellipse cx="100" cy="104" rx="7" ry="44" fill="#402000"/>
<path d="M98,62 Q88,36 76,30 M102,62 Q112,36 124,30" fill="none" stroke="#402000" stroke-width="3"/>)svg"},
    {"umbrella", R"svg(<path d="M100,100 L100,170 Q100,186 116,186 Q130,186 130,172" fill="none" stroke="#444" stroke-width="8" stroke-linecap="round"/>
<path d="M14,100 C20,50 60,22 100,22 C140,22 180,50 186,100 C172,90 158,90 143,100 C128,90 114,90 100,100 C86,90 72,90 57,100 C42,90 28,90 14,100 Z" fill="url(#red)" stroke="#7a0a10" stroke-width="3"/>
<path d="M57,100 Q70,40 100,22 Q130,40 143,100" fill="none" stroke="#7a0a10" stroke-width="2"/>
<g fill="#4080e0"><ellipse cx="40" cy="140" rx="4" ry="8"/><ellipse cx="160" cy="130" rx="4" ry="8"/><ellipse cx="60" cy="176" rx="4" ry="8"/></g>)svg"},
    {"kite", R"svg(<path d="M100,10 L160,80 L100,140 L40,80 Z" fill="#30b0e0" stroke="#104a70" stroke-width="3"/>
<path d="M100,10 L100,140 M40,80 L160,80" stroke="#104a70" stroke-width="2"/>
<path d="M100,10 L160,80 L100,80 Z M100,80 L40,80 L100,140 Z" fill="#ffdd40"/>
<path d="M100,140 Q80,160 110,170 Q140,180 116,196" fill="none" stroke="#444" stroke-width="2"/>
<path d="M96,156 L104,152 L104,160 Z M110,170 L120,166 L118,176 Z" fill="#e03030"/>)svg"},
    {"ice-cream", R"svg(<path d="M64,100 L100,190 L136,100 Z" fill="#e0a050" stroke="#8a5a20" stroke-width="3"/>
<path d="M72,112 L128,112 M80,132 L120,132 M70,104 L110,170 M130,104 L90,170" stroke="#8a5a20" stroke-width="2"/>
<circle cx="100" cy="72" r="36" fill="#ffc8e0" stroke="#d07090" stroke-width="3"/>
<circle cx="74" cy="92" r="22" fill="#fff4d0" stroke="#c0a060" stroke-width="3"/><circle cx="126" cy="92" r="22" fill="#a06040" stroke="#603010" stroke-width="3"/>
<circle cx="100" cy="32" r="10" fill="url(#red)"/><path d="M100,22 Q104,8 114,4" fill="none" stroke="#2e8b3e" stroke-width="3"/>)svg"},
    {"beach-ball", R"svg(<circle cx="100" cy="100" r="84" fill="#ffffff" stroke="#333" stroke-width="3"/>
<path d="M100,16 C60,40 50,80 60,176 C40,160 18,130 16,100 C16,60 50,20 100,16 Z" fill="#e03030"/>
<path d="M100,16 C140,40 150,80 140,176 C160,160 182,130 184,100 C184,60 150,20 100,16 Z" fill="#2060e0"/>
<path d="M100,16 C90,60 90,130 100,184 C110,130 110,60 100,16 Z" fill="#f0c020"/>
<circle cx="100" cy="100" r="84" fill="url(#shine)" stroke="#333" stroke-width="3"/>)svg"},
    {"sailboat", R"svg(<path d="M10,160 Q50,150 100,160 Q150,170 190,160 L190,200 L10,200 Z" fill="#3080d0" fill-opacity="0.8"/>
<path d="M40,140 L160,140 L140,170 L60,170 Z" fill="#8a4a20" stroke="#4a2000" stroke-width="3"/>
<path d="M100,20 L100,140" stroke="#4a2000" stroke-width="4"/>
<path d="M104,26 L160,126 L104,126 Z" fill="#ffffff" stroke="#9090a0" stroke-width="2"/>
<path d="M96,40 L52,126 L96,126 Z" fill="url(#red)" stroke="#7a0a10" stroke-width="2"/>
<path d="M100,20 L124,28 L100,36 Z" fill="#f0c020"/>)svg"},
    {"watermelon", R"svg(<path d="M14,80 A86,86 0 0 0 186,80 Z" fill="#2e8b3e"/>
<path d="M24,80 A76,76 0 0 0 176,80 Z" fill="#e0f0c0"/>
<path d="M32,80 A68,68 0 0 0 168,80 Z" fill="url(#red)"/>
<g fill="#222"><ellipse cx="70" cy="104" rx="4" ry="7"/><ellipse cx="100" cy="120" rx="4" ry="7"/><ellipse cx="130" cy="104" rx="4" ry="7"/><ellipse cx="86" cy="136" rx="4" ry="7"/><ellipse cx="116" cy="136" rx="4" ry="7"/></g>)svg"},
    {"pumpkin", R"svg(<path d="M96,40 Q92,20 104,10" fill="none" stroke="#4a6a20" stroke-width="8" stroke-linecap="round"/>
<ellipse cx="64" cy="112" rx="46" ry="66" fill="url(#orange)" stroke="#a04000" stroke-width="3"/>
<ellipse cx="136" cy="112" rx="46" ry="66" fill="url(#orange)" stroke="#a04000" stroke-width="3"/>
<ellipse cx="100" cy="112" rx="42" ry="70" fill="url(#orange)" stroke="#a04000" stroke-width="3"/>
<path d="M64,90 L84,90 L74,72 Z M116,90 L136,90 L126,72 Z M92,118 L108,118 L100,104 Z" fill="#402000"/>
<path d="M56,138 L70,146 L80,136 L92,148 L108,148 L120,136 L130,146 L144,138 Q100,176 56,138 Z" fill="#402000"/>)svg"},
    {"maple-leaf", R"svg(<path d="M100,180 L100,140" stroke="#8a3a10" stroke-width="6"/>
<path d="M100,12 L114,48 L134,38 L128,80 L160,60 L154,82 L186,86 L160,108 L170,124 L128,120 L132,142 L100,128 L68,142 L72,120 L30,124 L40,108 L14,86 L46,82 L40,60 L72,80 L66,38 L86,48 Z" fill="url(#orange)" stroke="#a03000" stroke-width="3" stroke-linejoin="round"/>
<path d="M100,128 L100,40 M100,100 L150,76 M100,100 L50,76 M100,120 L150,112 M100,120 L50,112" stroke="#a03000" stroke-width="2" fill="none"/>)svg"},
    {"acorn", R"svg(<path d="M56,90 C56,140 80,180 100,190 C120,180 144,140 144,90 Z" fill="#c08040" stroke="#6b3d1f" stroke-width="3"/>
<path d="M40,92 C40,50 70,36 100,36 C130,36 160,50 160,92 Z" fill="#8a5a2a" stroke="#4a2a10" stroke-width="3"/>
<path d="M50,80 L150,80 M46,64 L154,64 M60,50 L140,50" stroke="#4a2a10" stroke-width="2" stroke-dasharray="4 4"/>
<path d="M100,36 Q100,14 116,8" fill="none" stroke="#4a2a10" stroke-width="6" stroke-linecap="round"/>
<ellipse cx="80" cy="120" rx="8" ry="22" fill="#ffffff" fill-opacity="0.35"/>)svg"},
    {"ghost", R"svg(<path d="M40,190 L40,90 C40,40 70,16 100,16 C130,16 160,40 160,90 L160,190 L140,170 L120,190 L100,170 L80,190 L60,170 Z" fill="#ffffff" fill-opacity="0.92" stroke="#9090b0" stroke-width="3"/>
<ellipse cx="78" cy="84" rx="10" ry="16" fill="#222"/><ellipse cx="122" cy="84" rx="10" ry="16" fill="#222"/>
<ellipse cx="100" cy="128" rx="12" ry="16" fill="#222"/>)svg"},
    {"bat", R"svg(<path d="M100,80 C80,60 50,50 10,70 C30,80 34,100 30,116 C46,104 62,110 70,124 C78,110 90,110 100,120 C110,110 122,110 130,124 C138,110 154,104 170,116 C166,100 170,80 190,70 C150,50 120,60 100,80 Z" fill="#302040" stroke="#100818" stroke-width="3"/>
<path d="M88,72 L84,56 L96,68 Z M112,72 L116,56 L104,68 Z" fill="#302040"/>
<circle cx="93" cy="84" r="4" fill="#ffdd00"/><circle cx="107" cy="84" r="4" fill="#ffdd00"/>)svg"},
    {"witch-hat", R"svg(<ellipse cx="100" cy="160" rx="90" ry="22" fill="#302040" stroke="#100818" stroke-width="3"/>
<path d="M56,156 L90,40 C96,20 120,14 140,24 C122,30 116,50 120,70 L144,156 Z" fill="#402a58" stroke="#100818" stroke-width="3"/>
<path d="M62,136 Q100,148 138,136 L142,150 Q100,164 58,150 Z" fill="#8a40c0"/>
<rect x="90" y="136" width="20" height="18" fill="none" stroke="url(#gold)" stroke-width="4"/>)svg"},
    {"birthday-cake", R"svg(<rect x="30" y="100" width="140" height="80" rx="8" fill="#f8d8a8" stroke="#a07040" stroke-width="3"/>
<path d="M30,110 Q47,130 64,110 Q81,130 98,110 Q115,130 132,110 Q149,130 170,110 L170,100 L30,100 Z" fill="#ff80b0"/>
<path d="M30,150 L170,150" stroke="#ff80b0" stroke-width="8" stroke-dasharray="6 10"/>
<g fill="#60a0ff"><rect x="56" y="64" width="10" height="36"/><rect x="95" y="64" width="10" height="36"/><rect x="134" y="64" width="10" height="36"/></g>
<g fill="url(#orange)"><path d="M61,40 C68,52 68,60 61,62 C54,60 54,52 61,40 Z"/><path d="M100,40 C107,52 107,60 100,62 C93,60 93,52 100,40 Z"/><path d="M139,40 C146,52 146,60 139,62 C132,60 132,52 139,40 Z"/></g>
<ellipse cx="100" cy="186" rx="84" ry="8" fill="#000" fill-opacity="0.2"/>)svg"},
    {"balloon", R"svg(<path d="M100,150 Q90,170 104,182 Q116,192 100,198" fill="none" stroke="#666" stroke-width="2"/>
<path d="M100,10 C146,10 168,46 168,80 C168,118 134,146 100,150 C66,146 32,118 32,80 C32,46 54,10 100,10 Z" fill="url(#red)"/>
<path d="M92,150 L108,150 L104,158 L96,158 Z" fill="#9a0c14"/>
<ellipse cx="74" cy="56" rx="16" ry="26" transform="rotate(25 74 56)" fill="#ffffff" fill-opacity="0.45"/>)svg"},
    {"party-hat", R"svg(<path d="M100,14 L160,180 L40,180 Z" fill="#40b0e0" stroke="#104a70" stroke-width="3"/>
<path d="M84,58 L116,58 L124,80 L76,80 Z M68,102 L132,102 L140,124 L60,124 Z M52,146 L148,146 L156,168 L44,168 Z" fill="#f0c020"/>
<path d="M40,180 Q100,196 160,180" fill="none" stroke="#e03080" stroke-width="8" stroke-dasharray="4 6"/>
<circle cx="100" cy="14" r="12" fill="#e03080"/>)svg"},
    {"fireworks", R"svg(<rect width="200" height="200" rx="16" fill="#101a40"/>
<g stroke="#ffd040" stroke-width="4" stroke-linecap="round"><path d="M70,70 L70,30 M70,70 L98,42 M70,70 L110,70 M70,70 L98,98 M70,70 L70,110 M70,70 L42,98 M70,70 L30,70 M70,70 L42,42"/></g>
<g stroke="#ff5090" stroke-width="3" stroke-linecap="round" stroke-opacity="0.9"><path d="M140,130 L140,100 M140,130 L161,109 M140,130 L170,130 M140,130 L161,151 M140,130 L140,160 M140,130 L119,151 M140,130 L110,130 M140,130 L119,109"/></g>
<circle cx="70" cy="70" r="50" fill="#ffd040" fill-opacity="0.15"/><circle cx="140" cy="130" r="38" fill="#ff5090" fill-opacity="0.15"/>
<g fill="#ffffff"><circle cx="30" cy="160" r="2"/><circle cx="170" cy="40" r="2"/><circle cx="120" cy="30" r="1.5"/><circle cx="40" cy="130" r="1.5"/></g>)svg"},
    {"crescent-moon", R"svg(<path d="M120,20 A80,80 0 1 0 180,140 A64,64 0 1 1 120,20 Z" fill="url(#gold)" stroke="#a07000" stroke-width="3"/>
<path d="M150,60 L155,74 L170,74 L158,83 L163,97 L150,88 L137,97 L142,83 L130,74 L145,74 Z" fill="url(#gold)" stroke="#a07000" stroke-width="2"/>)svg"},
    {"lantern", R"svg(<path d="M100,4 L100,24" stroke="#444" stroke-width="4"/>
<path d="M76,24 L124,24 L132,40 L68,40 Z" fill="url(#gold)" stroke="#a07000" stroke-width="2"/>
<path d="M64,40 L136,40 C150,80 150,130 136,170 L64,170 C50,130 50,80 64,40 Z" fill="url(#red)" stroke="#7a0a10" stroke-width="3"/>
<ellipse cx="100" cy="105" rx="30" ry="46" fill="#ffe680" fill-opacity="0.55"/>
<path d="M82,40 C74,80 74,130 82,170 M118,40 C126,80 126,130 118,170" fill="none" stroke="#7a0a10" stroke-width="2"/>
<path d="M68,170 L132,170 L124,186 L76,186 Z" fill="url(#gold)" stroke="#a07000" stroke-width="2"/>
<path d="M100,186 L100,198" stroke="#e03030" stroke-width="4"/>)svg"},
    {"apple", R"svg(<path d="M100,50 C70,30 26,44 26,96 C26,146 60,190 84,186 C92,184 96,180 100,180 C104,180 108,184 116,186 C140,190 174,146 174,96 C174,44 130,30 100,50 Z" fill="url(#red)" stroke="#7a0a10" stroke-width="3"/>
<path d="M100,50 Q98,28 108,12" fill="none" stroke="#6b3d1f" stroke-width="6" stroke-linecap="round"/>
<path d="M106,34 C120,14 150,16 156,24 C140,40 120,40 106,34 Z" fill="url(#green)"/>
<ellipse cx="64" cy="88" rx="12" ry="24" transform="rotate(20 64 88)" fill="#ffffff" fill-opacity="0.45"/>)svg"},
    {"happy-new-year", R"svg(<rect x="8" y="40" width="184" height="120" rx="14" fill="#101a40"/>
<text x="100" y="92" font-family="Liberation Sans" font-weight="bold" font-size="30" text-anchor="middle" fill="url(#gold)">HAPPY</text>
<text x="100" y="126" font-family="Liberation Serif" font-style="italic" font-size="24" text-anchor="middle" fill="#ffffff">New Year</text>
<circle cx="30" cy="60" r="3" fill="#ffd040"/><circle cx="172" cy="140" r="3" fill="#ff5090"/><circle cx="168" cy="58" r="2" fill="#ffffff"/>)svg"},
};

}  // namespace

int main(int argc, char** argv)
{
    // Text is turned into outlines, which needs fonts: an offscreen GUI.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeclipart FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    int written = 0;
    for (const Picture& p : kPictures) {
        const QByteArray svg =
            QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                              "xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                              "width=\"200\" height=\"200\" viewBox=\"0 0 200 200\">\n")
            + kDefs + "\n" + p.body + "\n</svg>\n";
        const QString base = folder + u'/' + QString::fromLatin1(p.name);
        QFile s(base + QStringLiteral(".svg"));
        if (!s.open(QIODevice::WriteOnly) || s.write(svg) != svg.size())
            return 1;
        s.close();
        try {
            const QByteArray emf = dayloom::SvgImport::ToMetafile(svg).Bytes();
            QFile e(base + QStringLiteral(".emf"));
            if (!e.open(QIODevice::WriteOnly) || e.write(emf) != emf.size())
                return 1;
        } catch (const std::exception& ex) {
            std::fprintf(stderr, "%s: %s\n", p.name, ex.what());
            return 1;
        }
        ++written;
    }
    std::printf("%d pictures written to %s\n", written, argv[1]);
    return 0;
}
