#include "cli/cli_options.h"

namespace Tarvane {

// The help text for a Japanese locale (CP932, as the program's literals are); the English one
// beside the options is the reference, and both list the same options.
std::string CliHelpTextJapanese() {
  return R"(使い方: tarvane-cli [全体のオプション] 動作...

プログラムと同じように起動し（設定、辞書、起動スクリプト、特殊カラムと並び替えのメニュー、
空の表）、指定した順に動作を実行します。各動作はメインウィンドウのコマンドと同じ働きをします。

動作:
  --add FILE...            デッキリストのファイルを追加する（次のオプションまでのパス）
  --edit FILE...           読み込むデッキをちょうどこれらのファイルにする
  --new                    表を初期化し、デッキをすべて外す
  --board both|main|side|hybrid
                           行を作るボード（両方、メインのみ、サイドのみ、混合）
  --refresh                行とセルを作り直し、並べ替え直す
  --all-decks              読み込んだデッキごとに1カラム
  --decks N...             デッキ N... のカラム（1から数える読み込み順）
  --column LABEL           特殊カラムのメニューでその名前の項目
  --sort LABEL             並び替えのメニューでその名前の項目
                           （サブメニューの中の項目は "/" でつなぐ）
  --sort-column I          カラム I（0から数える）の並び替えで並べる
  --delete-column I        カラム I を削除する（0 は不可）
  --delete-columns         最初のカラム以外をすべて削除する
  --special NAME=on|off    特殊項目の表示を切り替えて更新する
  --hide I                 表の行 I（0から数える）を次の更新まで隠す
  --move FROM TO           行 FROM を行 TO の直前へ動かす
  --csv [FILE]             表を CSV で FILE へ、省けば標準出力へ
  --tsv [FILE]             表をタブ区切りで、同じように
  --status                 ステータスバーの二つの文字列を1行ずつ
  --menus                  特殊カラムのメニュー、並び替えのメニュー、特殊項目の一覧
  --average-deck FILE      カラムに表示しているデッキ（デッキのカラムがなければ読み込んだ
                           全デッキ）の平均デッキをデッキリストとして書き出す
  --average-deck FILE --archetype NAME
                           そのアーキタイプの読み込み済みデッキで同じことをする
  --archetypes             読み込んだデッキを読み込み順に PATH<TAB>アーキタイプ<TAB>決まり方 で
                           出す。決まり方は header、rule、conflict、fallback、unknown（規則の
                           フォルダがなければ name、スクリプトが決めたら script）

グラフ（画面は不要）:
  --chart metagame|adoption|curve
                           次の --png、--svg で書くグラフ。次の --chart までのオプションで設定:
    --threshold PERCENT    metagame: この割合より少ないアーキタイプを その他 にまとめる (2)
    --card NAME            adoption: カード（デッキリストの名前か日本語名）
    --archetype NAME       adoption, curve: このアーキタイプのデッキだけ
    --by-type              curve: カードタイプごとに積み上げる
    --size WIDTHxHEIGHT    絵の大きさ（ピクセル、1200x800）
  --png FILE               その時点の表からグラフを PNG で書く
  --svg FILE               同じく SVG で書く

他のプログラムのデッキリスト（動作の代わりに）:
  --import FILE... --to DIR
                           各ファイル（サイトからコピーしたリスト、デジタル版クライアントの
                           書き出し、タグ付きのサイト書き出し、.dck、.dek、.cod、.o8d、日本語の
                           カード名、UTF-8 や UTF-16）を、このプログラムの形式（CP932）の
                           デッキリスト DIR/NAME.txt に変換する。同じ名前のファイルは置き換える。
                           大会ファイル（JSON）はデッキごとに DIR/001_player.txt などにする。
                           DIR がなければ作る。各ファイルの報告は標準出力へ。読めない、変換
                           できない、書けないファイルがあれば終了コード 3（他は変換する）。

全体のオプション:
  --program PATH           PATH にあるプログラムとして動く（その .ini、.nut、辞書フォルダー）
                           省略時: tarvane-cli と同じフォルダーの tarvane
  --utf8                   標準出力の表やリストを、プログラムの CP932 のバイトではなく UTF-8 で
                           書く（ファイルはいつも CP932）
  --archetype-rules FOLDER この実行で使うアーキタイプの規則のフォルダ（設定の ArchetypeRules の
                           代わり）。読み込んだ結果は標準エラー出力に出る
  --yes                    拡張スクリプトのエラーの後の問いに「はい」と答える
  --help                   この説明

名前やラベルは UTF-8 で指定します。プログラムが箱で見せるメッセージは、標準エラー出力に UTF-8 で
"見出し: 本文" の形で出ます。終了コード: 0 すべての動作が終わった、1 起動時のエラーなどで
プログラムが終わった、2 実行できないコマンドライン（動作の前に分かるもの: 知らないオプション、
不正な値、メニューにない --column / --sort の名前、プログラムで書けないファイル名）、
4 動作は終わったが、どれか（または起動時のスクリプト）がエラーを見せた（読み込めなかった
デッキファイル、書き出せなかったファイル、スクリプトのエラー）か、標準出力に書けなかった。

ファイル名はシステムの書き方（UTF-8）で指定し、プログラムの文字コード（Shift-JIS）で
そのまま書けなければなりません。Shift-JIS にない文字や、別の文字になってしまう文字
（U+301C WAVE DASH は U+FF5E になる）を含む名前は、別のファイルと取り違えないよう拒否します。
)";
}

}  // namespace Tarvane
