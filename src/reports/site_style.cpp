#include "reports/site_style.h"

namespace veltrun {

// Phones first: tables scroll inside their own box with the name column held
// in place; print keeps each player's card on one sheet and repeats headings.
std::string_view SiteStyleSheet() {
    return R"css(*,*::before,*::after{box-sizing:border-box}
html{-webkit-text-size-adjust:100%;text-size-adjust:100%}
body{margin:0;font:16px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,"Noto Sans",sans-serif;color:#1d2430;background:#f4f6f9}
a{color:#1f5fbf;text-decoration:none}
a:hover,a:focus{text-decoration:underline}
header.site{background:#1d3557;color:#fff;padding:.8rem 1rem}
header.site p{margin:0}
header.site .event{font-size:1.25rem;font-weight:700;overflow-wrap:anywhere}
header.site .event a{color:#fff}
header.site .state{opacity:.85;font-size:.95rem}
nav{background:#fff;border-bottom:1px solid #d9dee7;padding:.4rem .6rem}
nav ul{list-style:none;margin:0;padding:0;display:flex;flex-wrap:wrap;gap:.25rem .4rem}
nav a{display:inline-block;padding:.3rem .55rem;border-radius:.4rem}
nav a[aria-current]{background:#1d3557;color:#fff}
nav .rounds{display:flex;flex-wrap:wrap;gap:.2rem;align-items:center}
main{max-width:72rem;margin:0 auto;padding:1rem}
h1{font-size:1.5rem;margin:.2rem 0 1rem}
h2{font-size:1.15rem;margin:0 0 .4rem}
.scroll{overflow-x:auto;max-width:100%;background:#fff;border:1px solid #d9dee7;border-radius:.5rem;margin-bottom:1rem}
table{border-collapse:collapse;width:100%;font-variant-numeric:tabular-nums}
th,td{padding:.4rem .55rem;text-align:left;border-bottom:1px solid #e6e9ef;vertical-align:top}
thead th{background:#eef1f6;font-weight:600;white-space:nowrap;position:sticky;top:0}
tbody tr:nth-child(even){background:#fafbfd}
tbody tr:hover{background:#eef4ff}
td.num,th.num{text-align:right;white-space:nowrap}
tbody th{font-weight:400}
tfoot th{text-align:right;font-weight:600}
td.pts{font-weight:700}
.sticky.name{min-width:9rem}
.scroll td{white-space:nowrap}
.scroll .name{white-space:normal}
.sticky{position:sticky;left:0;z-index:1}
thead th.sticky{background:#eef1f6;z-index:2}
tbody tr td.sticky{background:#fff}
tbody tr:nth-child(even) td.sticky{background:#fafbfd}
.cross td{white-space:nowrap;text-align:center}
.cross td.name{text-align:left;white-space:normal}
.cross thead th:not(.num):not(.name){text-align:center}
td abbr{text-decoration:none}
small,.muted{color:#5b6678}
.tag{display:inline-block;font-size:.75rem;padding:0 .35rem;border-radius:.3rem;background:#fde2e1;color:#8a1c1c;margin-left:.3rem}
.ff{color:#8a1c1c;font-style:italic}
.bye,.absent{color:#5b6678;font-style:italic}
.legend{display:grid;grid-template-columns:max-content 1fr;gap:.15rem .8rem;margin:0 0 1rem;font-size:.9rem}
.legend dt{font-weight:600}
.legend dd{margin:0}
.cards{display:grid;grid-template-columns:minmax(0,1fr);gap:1rem}
.card{min-width:0;background:#fff;border:1px solid #d9dee7;border-radius:.5rem;padding:.8rem;break-inside:avoid;page-break-inside:avoid}
.card .scroll{border:0;margin:0}
.card dl{display:grid;grid-template-columns:max-content 1fr;gap:.1rem .8rem;margin:.6rem 0 0;font-size:.9rem}
.card dd{margin:0}
.links{display:grid;grid-template-columns:repeat(auto-fill,minmax(11rem,1fr));gap:.6rem;padding:0;list-style:none}
.links a{display:block;background:#fff;border:1px solid #d9dee7;border-radius:.5rem;padding:.7rem 1rem;font-weight:600}
.members{margin:0;padding-left:1.1rem}
.counts{font-weight:700}
@media (max-width:40rem){th,td{padding:.35rem .3rem}main{padding:.75rem .5rem}.card{padding:.6rem .4rem}}
@media (min-width:60rem){.cards{grid-template-columns:repeat(2,minmax(0,1fr))}}
@media print{
@page{size:A4;margin:14mm 12mm}
body{background:#fff;font-size:10pt;color:#000}
nav,.noprint{display:none}
header.site{background:none;color:#000;border-bottom:1pt solid #000;padding:0 0 2mm}
header.site .event a{color:#000}
main{max-width:none;padding:3mm 0 0}
.scroll{overflow:visible;border:0}
thead{display:table-header-group}
tr,td,th{break-inside:avoid;page-break-inside:avoid}
thead th{position:static;background:#eee}
.sticky{position:static}
.cards{display:block}
.card{border:1pt solid #999;margin:0 0 4mm;padding:2mm 3mm}
a{color:#000}
}
)css";
}

}  // namespace veltrun
