<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en">
    <context>
        <name>qx::CAboutDlg</name>
        <message>
            <source>About KM-31QX-C1</source>
            <translation>關於 KM-31QX-C1</translation>
        </message>
        <message>
            <source>KM-31QX-C1</source>
            <translation>KM-31QX-C1</translation>
        </message>
        <message>
            <source>Version: 1.00 (Build March 1 2012)</source>
            <translation>版本：1.00（2012 年 3 月 1 日建置）</translation>
        </message>
        <message>
            <source>Copyright (C) 2012 Orvane Industrial Automation Co., Ltd.</source>
            <translation>版權所有 (C) 2012 Orvane Industrial Automation Co., Ltd.</translation>
        </message>
        <message>
            <source>All rights reserved.</source>
            <translation>保留所有權利。</translation>
        </message>
        <message>
            <source>Internet:</source>
            <translation>網址：</translation>
        </message>
    </context>
    <context>
        <name>qx::CAttachmentDlg</name>
        <message>
            <source>Attachment</source>
            <translation>附件</translation>
        </message>
        <message>
            <source>PLC Device</source>
            <translation>PLC 裝置</translation>
        </message>
        <message>
            <source>Device</source>
            <translation>裝置</translation>
        </message>
        <message>
            <source>Number</source>
            <translation>編號</translation>
        </message>
        <message>
            <source>Length</source>
            <translation>長度</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>確定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
    </context>
    <context>
        <name>qx::CConfiguratorDlg</name>
        <message>
            <source>QX Configurator</source>
            <translation>QX 組態設定工具</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>上傳</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>下載</translation>
        </message>
        <message>
            <source>Import File</source>
            <translation>匯入檔案</translation>
        </message>
        <message>
            <source>Export File</source>
            <translation>匯出檔案</translation>
        </message>
        <message>
            <source>The project's parameter file could not be saved:
%1

Your changes are still in this window. Make the file writable and press OK again, or keep them with Export File.</source>
            <translation>無法儲存專案的參數檔：
%1

您的變更仍保留在此視窗中。請讓檔案可寫入後再按「確定」，或以「匯出檔案」保存變更。</translation>
        </message>
        <message>
            <source>The file could not be written:
%1</source>
            <translation>無法寫入檔案：
%1</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>預設值</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>說明</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>確定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>About KM-31QX-C1...</source>
            <translation>關於 KM-31QX-C1...</translation>
        </message>
    </context>
    <context>
        <name>qx::CDataExchDlg</name>
        <message>
            <source>Program Control</source>
            <translation>程式控制</translation>
        </message>
        <message>
            <source>PLC Run</source>
            <translation>PLC 執行</translation>
        </message>
        <message>
            <source>Always Enable</source>
            <translation>永遠啟用</translation>
        </message>
        <message>
            <source>Enable Condition</source>
            <translation>啟用條件</translation>
        </message>
        <message>
            <source>Data Exchange Items</source>
            <translation>資料交換項目</translation>
        </message>
        <message>
            <source>New...</source>
            <translation>新增...</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>複製</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>刪除</translation>
        </message>
        <message>
            <source>Move Up</source>
            <translation>上移</translation>
        </message>
        <message>
            <source>Move Down</source>
            <translation>下移</translation>
        </message>
        <message>
            <source>Import</source>
            <translation>匯入</translation>
        </message>
        <message>
            <source>Export</source>
            <translation>匯出</translation>
        </message>
        <message>
            <source>All items on or off (Ctrl+Space)</source>
            <translation>全部項目啟用或停用（Ctrl+空白鍵）</translation>
        </message>
        <message>
            <source>Read: remote device to module</source>
            <translation>讀取：由遠端裝置到模組</translation>
        </message>
        <message>
            <source>Write: module to remote device</source>
            <translation>寫入：由模組到遠端裝置</translation>
        </message>
        <message>
            <source>This address is in no range of the device type; edit the item to correct it.</source>
            <translation>此位址不在該裝置類型的任何範圍內；請編輯此項目加以修正。</translation>
        </message>
        <message>
            <source>This address cannot be written.</source>
            <translation>此位址無法寫入。</translation>
        </message>
        <message>
            <source>Modbus function code %1 (0x%2), 0-based address %3</source>
            <translation>Modbus 功能碼 %1 (0x%2)，由 0 起算的位址 %3</translation>
        </message>
        <message>
            <source>CPU request code 0x%1, device address 0x%2</source>
            <translation>CPU 要求碼 0x%1，裝置位址 0x%2</translation>
        </message>
        <message>
            <source>Its read area overlaps item %1.</source>
            <translation>其讀取區與項目 %1 重疊。</translation>
        </message>
        <message>
            <source>Its write area overlaps item %1.</source>
            <translation>其寫入區與項目 %1 重疊。</translation>
        </message>
        <message>
            <source>The file could not be written:
%1</source>
            <translation>無法寫入檔案：
%1</translation>
        </message>
        <message>
            <source>The file does not hold a KM31QX-2C data exchange table. Nothing was imported.</source>
            <translation>此檔案不含 KM31QX-2C 的資料交換表，未匯入任何內容。</translation>
        </message>
        <message>
            <source>The file holds no data exchange items. Nothing was imported.</source>
            <translation>此檔案不含任何資料交換項目，未匯入任何內容。</translation>
        </message>
        <message>
            <source>the row does not hold %1 values</source>
            <translation>此列不是 %1 個值</translation>
        </message>
        <message>
            <source>not a number</source>
            <translation>不是數字</translation>
        </message>
        <message>
            <source>must be 1 or 0</source>
            <translation>必須是 1 或 0</translation>
        </message>
        <message>
            <source>not an IP address</source>
            <translation>不是 IP 位址</translation>
        </message>
        <message>
            <source>not a device type</source>
            <translation>不是裝置類型</translation>
        </message>
        <message>
            <source>not a D register of the module's area</source>
            <translation>不是模組區域內的 D 暫存器</translation>
        </message>
        <message>
            <source>no address kind of the device type in brackets</source>
            <translation>括號中沒有該裝置類型的位址種類</translation>
        </message>
        <message>
            <source>not an address of that kind</source>
            <translation>不是該種類的位址</translation>
        </message>
        <message>
            <source>Row %1, column %2 (%3)</source>
            <translation>第 %1 列，第 %2 欄（%3）</translation>
        </message>
        <message>
            <source>Row %1</source>
            <translation>第 %1 列</translation>
        </message>
        <message>
            <source>%1: %2
Nothing was imported.</source>
            <translation>%1：%2
未匯入任何內容。</translation>
        </message>
    </context>
    <context>
        <name>qx::CHyperlinkStatic</name>
        <message>
            <source>The operating system is out
of memory or resources.</source>
            <translation>作業系統的記憶體
或資源不足。</translation>
        </message>
        <message>
            <source>The specified file was not found.</source>
            <translation>找不到指定的檔案。</translation>
        </message>
        <message>
            <source>The specified path was not found.</source>
            <translation>找不到指定的路徑。</translation>
        </message>
        <message>
            <source>The operating system denied
access to the specified file.</source>
            <translation>作業系統拒絕
存取指定的檔案。</translation>
        </message>
        <message>
            <source>There was not enough memory to complete the operation.</source>
            <translation>記憶體不足，無法完成此操作。</translation>
        </message>
        <message>
            <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
            <translation>此 .EXE 檔案無效
（非 Win32 .EXE 或 .EXE 映像錯誤）。</translation>
        </message>
        <message>
            <source>A sharing violation occurred. </source>
            <translation>發生共用違規。</translation>
        </message>
        <message>
            <source>The filename association is
incomplete or invalid.</source>
            <translation>檔案名稱的關聯
不完整或無效。</translation>
        </message>
        <message>
            <source>The DDE transaction could not
be completed because the request timed out.</source>
            <translation>DDE 交易無法完成，
因為要求逾時。</translation>
        </message>
        <message>
            <source>The DDE transaction failed.</source>
            <translation>DDE 交易失敗。</translation>
        </message>
        <message>
            <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
            <translation>DDE 交易無法完成，
因為正在處理
其他 DDE 交易。</translation>
        </message>
        <message>
            <source>There is no application associated
with the given filename extension.</source>
            <translation>沒有與此副檔名
相關聯的應用程式。</translation>
        </message>
        <message>
            <source>The specified dynamic-link library was not found.</source>
            <translation>找不到指定的動態連結程式庫。</translation>
        </message>
        <message>
            <source>Unknown Error (%1) occurred.</source>
            <translation>發生未知的錯誤 (%1)。</translation>
        </message>
        <message>
            <source>Unable to open hyperlink:

</source>
            <translation>無法開啟超連結：

</translation>
        </message>
    </context>
    <context>
        <name>qx::CItemEditDlg</name>
        <message>
            <source>Item Edit</source>
            <translation>項目編輯</translation>
        </message>
        <message>
            <source>Enabled</source>
            <translation>啟用</translation>
        </message>
        <message>
            <source>Item</source>
            <translation>項目</translation>
        </message>
        <message>
            <source>Remote Device</source>
            <translation>遠端裝置</translation>
        </message>
        <message>
            <source>Support Function Code 0x17</source>
            <translation>支援功能碼 0x17</translation>
        </message>
        <message>
            <source>Slave Address</source>
            <translation>從站位址</translation>
        </message>
        <message>
            <source>IP Address</source>
            <translation>IP 位址</translation>
        </message>
        <message>
            <source>Device Type</source>
            <translation>裝置類型</translation>
        </message>
        <message>
            <source>Update Cycle (ms)</source>
            <translation>更新週期 (ms)</translation>
        </message>
        <message>
            <source>Timeout (ms)</source>
            <translation>逾時 (ms)</translation>
        </message>
        <message>
            <source>Read</source>
            <translation>讀取</translation>
        </message>
        <message>
            <source>Write</source>
            <translation>寫入</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>確定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Bit</source>
            <translation>位元</translation>
        </message>
        <message>
            <source>Quantity</source>
            <translation>數量</translation>
        </message>
        <message>
            <source>Remote Address %s</source>
            <translation>遠端位址 %s</translation>
        </message>
    </context>
    <context>
        <name>qx::CMailPageDlg1</name>
        <message>
            <source>Mail Server Configuration</source>
            <translation>郵件伺服器設定</translation>
        </message>
        <message>
            <source>Default ( 25 )</source>
            <translation>預設 ( 25 )</translation>
        </message>
        <message>
            <source>SMTP Server</source>
            <translation>SMTP 伺服器</translation>
        </message>
        <message>
            <source>Port</source>
            <translation>連接埠</translation>
        </message>
        <message>
            <source>Local Email Address</source>
            <translation>本機電子郵件地址</translation>
        </message>
        <message>
            <source>SMTP Subject</source>
            <translation>SMTP 主旨</translation>
        </message>
        <message>
            <source>Account Identification</source>
            <translation>帳戶驗證</translation>
        </message>
        <message>
            <source>No</source>
            <translation>否</translation>
        </message>
        <message>
            <source>Yes</source>
            <translation>是</translation>
        </message>
        <message>
            <source>Account Identification Info.</source>
            <translation>帳戶驗證資訊</translation>
        </message>
        <message>
            <source>User Name</source>
            <translation>使用者名稱</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>密碼</translation>
        </message>
    </context>
    <context>
        <name>qx::CMailPageDlg2</name>
        <message>
            <source>Trigger Configuration</source>
            <translation>觸發設定</translation>
        </message>
    </context>
    <context>
        <name>qx::CMailPageDlg3</name>
        <message>
            <source>Email and Trigger Configuration</source>
            <translation>郵件與觸發設定</translation>
        </message>
    </context>
    <context>
        <name>qx::CNTPDlg</name>
        <message>
            <source>NTP Client Setup</source>
            <translation>NTP 用戶端設定</translation>
        </message>
        <message>
            <source>NTP Client Service Enable</source>
            <translation>啟用 NTP 用戶端服務</translation>
        </message>
        <message>
            <source>NTP Server</source>
            <translation>NTP 伺服器</translation>
        </message>
        <message>
            <source>Update Cycle ( min. )</source>
            <translation>更新週期（分鐘）</translation>
        </message>
        <message>
            <source>NTP Server Service</source>
            <translation>NTP 伺服器服務</translation>
        </message>
        <message>
            <source>NTP Server Service Enable</source>
            <translation>啟用 NTP 伺服器服務</translation>
        </message>
        <message>
            <source>NTP Setup</source>
            <translation>NTP 設定</translation>
        </message>
        <message>
            <source>Daylight Saving Time</source>
            <translation>日光節約時間</translation>
        </message>
        <message>
            <source>Time Zone</source>
            <translation>時區</translation>
        </message>
        <message>
            <source>Start Date</source>
            <translation>開始日期</translation>
        </message>
        <message>
            <source>( Month / Day )</source>
            <translation>（月 / 日）</translation>
        </message>
        <message>
            <source>End Date</source>
            <translation>結束日期</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>時間</translation>
        </message>
        <message>
            <source>( O'Clock )</source>
            <translation>（時）</translation>
        </message>
        <message>
            <source>(GMT-12:00) Eniwetok, Kwajalein</source>
            <translation>(GMT-12:00) 埃尼威托克，瓜加林環礁</translation>
        </message>
        <message>
            <source>(GMT-11:00) Midway Island, Samoa</source>
            <translation>(GMT-11:00) 中途島，薩摩亞</translation>
        </message>
        <message>
            <source>(GMT-10:00) Hawaii</source>
            <translation>(GMT-10:00) 夏威夷</translation>
        </message>
        <message>
            <source>(GMT-09:00) Alaska</source>
            <translation>(GMT-09:00) 阿拉斯加</translation>
        </message>
        <message>
            <source>(GMT-08:00) Pacific Time (US &amp; Canada); Tijuana</source>
            <translation>(GMT-08:00) 太平洋時間（美國和加拿大）；提華納</translation>
        </message>
        <message>
            <source>(GMT-07:00) Arizona</source>
            <translation>(GMT-07:00) 亞利桑那</translation>
        </message>
        <message>
            <source>(GMT-07:00) Mountain Time (US &amp; Canada)</source>
            <translation>(GMT-07:00) 山區時間（美國和加拿大）</translation>
        </message>
        <message>
            <source>(GMT-06:00) Central America</source>
            <translation>(GMT-06:00) 中美洲</translation>
        </message>
        <message>
            <source>(GMT-06:00) Central Time (US &amp; Canada)</source>
            <translation>(GMT-06:00) 中部時間（美國和加拿大）</translation>
        </message>
        <message>
            <source>(GMT-06:00) Mexico City</source>
            <translation>(GMT-06:00) 墨西哥市</translation>
        </message>
        <message>
            <source>(GMT-06:00) Saskatchewan</source>
            <translation>(GMT-06:00) 薩克其萬</translation>
        </message>
        <message>
            <source>(GMT-05:00) Bogota, Lima, Quito</source>
            <translation>(GMT-05:00) 波哥大，利馬，基多</translation>
        </message>
        <message>
            <source>(GMT-05:00) Eastern Time (US &amp; Canada)</source>
            <translation>(GMT-05:00) 東部時間（美國和加拿大）</translation>
        </message>
        <message>
            <source>(GMT-05:00) Indiana (East)</source>
            <translation>(GMT-05:00) 印第安那（東部）</translation>
        </message>
        <message>
            <source>(GMT-04:00) Atlantic Time (Canada)</source>
            <translation>(GMT-04:00) 大西洋時間（加拿大）</translation>
        </message>
        <message>
            <source>(GMT-04:00) Caracas, La Paz</source>
            <translation>(GMT-04:00) 卡拉卡斯，拉巴斯</translation>
        </message>
        <message>
            <source>(GMT-04:00) Santiago</source>
            <translation>(GMT-04:00) 聖地牙哥</translation>
        </message>
        <message>
            <source>(GMT-03:30) Newfoundland</source>
            <translation>(GMT-03:30) 紐芬蘭</translation>
        </message>
        <message>
            <source>(GMT-03:00) Brasilia</source>
            <translation>(GMT-03:00) 巴西利亞</translation>
        </message>
        <message>
            <source>(GMT-03:00) Buenos Aires, Georgetown</source>
            <translation>(GMT-03:00) 布宜諾斯艾利斯，喬治城</translation>
        </message>
        <message>
            <source>(GMT-03:00) Greenland</source>
            <translation>(GMT-03:00) 格陵蘭</translation>
        </message>
        <message>
            <source>(GMT-02:00) Mid-Atlantic</source>
            <translation>(GMT-02:00) 大西洋中部</translation>
        </message>
        <message>
            <source>(GMT-01:00) Azores</source>
            <translation>(GMT-01:00) 亞速群島</translation>
        </message>
        <message>
            <source>(GMT-01:00) Cape Verde Is.</source>
            <translation>(GMT-01:00) 維德角群島</translation>
        </message>
        <message>
            <source>(GMT) Casablanca, Monrovia</source>
            <translation>(GMT) 卡薩布蘭加，蒙羅維亞</translation>
        </message>
        <message>
            <source>(GMT) Greenwich Mean Time: Dublin, Edinburgh, Lisbon, London</source>
            <translation>(GMT) 格林威治標準時間：都柏林，愛丁堡，里斯本，倫敦</translation>
        </message>
        <message>
            <source>(GMT+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna</source>
            <translation>(GMT+01:00) 阿姆斯特丹，柏林，伯恩，羅馬，斯德哥爾摩，維也納</translation>
        </message>
        <message>
            <source>(GMT+01:00) Belgrade, Bratislava, Budapest, Ljubljana, Prague</source>
            <translation>(GMT+01:00) 貝爾格勒，布拉提斯拉瓦，布達佩斯，盧比安納，布拉格</translation>
        </message>
        <message>
            <source>(GMT+01:00) Brussels, Copenhagen, Madrid, Paris</source>
            <translation>(GMT+01:00) 布魯塞爾，哥本哈根，馬德里，巴黎</translation>
        </message>
        <message>
            <source>(GMT+01:00) Sarajevo, Skopje, Sofija, Vilnius, Warsaw, Zagreb</source>
            <translation>(GMT+01:00) 塞拉耶佛，史高比耶，索菲亞，維爾紐斯，華沙，札格雷布</translation>
        </message>
        <message>
            <source>(GMT+01:00) West Central Africa</source>
            <translation>(GMT+01:00) 中西非</translation>
        </message>
        <message>
            <source>(GMT+02:00) Athens, Istanbul, Minsk</source>
            <translation>(GMT+02:00) 雅典，伊斯坦堡，明斯克</translation>
        </message>
        <message>
            <source>(GMT+02:00) Bucharest</source>
            <translation>(GMT+02:00) 布加勒斯特</translation>
        </message>
        <message>
            <source>(GMT+02:00) Cairo</source>
            <translation>(GMT+02:00) 開羅</translation>
        </message>
        <message>
            <source>(GMT+02:00) Harare, Pretoria</source>
            <translation>(GMT+02:00) 哈拉雷，普利托利亞</translation>
        </message>
        <message>
            <source>(GMT+02:00) Helsinki, Riga, Tallinn</source>
            <translation>(GMT+02:00) 赫爾辛基，里加，塔林</translation>
        </message>
        <message>
            <source>(GMT+02:00) Jerusalem</source>
            <translation>(GMT+02:00) 耶路撒冷</translation>
        </message>
        <message>
            <source>(GMT+03:00) Baghdad</source>
            <translation>(GMT+03:00) 巴格達</translation>
        </message>
        <message>
            <source>(GMT+03:00) Kuwait, Riyadh</source>
            <translation>(GMT+03:00) 科威特，利雅德</translation>
        </message>
        <message>
            <source>(GMT+03:00) Moscow, St. Petersburg, Volgograd</source>
            <translation>(GMT+03:00) 莫斯科，聖彼得堡，伏爾加格勒</translation>
        </message>
        <message>
            <source>(GMT+03:00) Nairobi</source>
            <translation>(GMT+03:00) 奈洛比</translation>
        </message>
        <message>
            <source>(GMT+03:30) Tehran</source>
            <translation>(GMT+03:30) 德黑蘭</translation>
        </message>
        <message>
            <source>(GMT+04:00) Abu Dhabi, Muscat</source>
            <translation>(GMT+04:00) 阿布達比，馬斯開特</translation>
        </message>
        <message>
            <source>(GMT+04:00) Baku, Tbilisi, Yerevan</source>
            <translation>(GMT+04:00) 巴庫，第比利斯，葉里溫</translation>
        </message>
        <message>
            <source>(GMT+04:30) Kabul</source>
            <translation>(GMT+04:30) 喀布爾</translation>
        </message>
        <message>
            <source>(GMT+05:00) Ekaterinburg</source>
            <translation>(GMT+05:00) 葉卡捷琳堡</translation>
        </message>
        <message>
            <source>(GMT+05:00) Islamabad, Karachi, Tashkent</source>
            <translation>(GMT+05:00) 伊斯蘭馬巴德，喀拉蚩，塔什干</translation>
        </message>
        <message>
            <source>(GMT+05:30) Calcutta, Chennai, Mumbai, New Delhi</source>
            <translation>(GMT+05:30) 加爾各答，清奈，孟買，新德里</translation>
        </message>
        <message>
            <source>(GMT+05:45) Kathmandu</source>
            <translation>(GMT+05:45) 加德滿都</translation>
        </message>
        <message>
            <source>(GMT+06:00) Almaty, Novosibirsk</source>
            <translation>(GMT+06:00) 阿拉木圖，新西伯利亞</translation>
        </message>
        <message>
            <source>(GMT+06:00) Astana, Dhaka</source>
            <translation>(GMT+06:00) 阿斯塔納，達卡</translation>
        </message>
        <message>
            <source>(GMT+06:00) Sri Jayawardenepura</source>
            <translation>(GMT+06:00) 斯里賈亞瓦德納普拉</translation>
        </message>
        <message>
            <source>(GMT+06:30) Rangoon</source>
            <translation>(GMT+06:30) 仰光</translation>
        </message>
        <message>
            <source>(GMT+07:00) Bangkok, Hanoi, Jakarta</source>
            <translation>(GMT+07:00) 曼谷，河內，雅加達</translation>
        </message>
        <message>
            <source>(GMT+07:00) Krasnoyarsk</source>
            <translation>(GMT+07:00) 克拉斯諾亞爾斯克</translation>
        </message>
        <message>
            <source>(GMT+08:00) Beijing, Chongqing, Hong Kong, Urumqi</source>
            <translation>(GMT+08:00) 北京，重慶，香港，烏魯木齊</translation>
        </message>
        <message>
            <source>(GMT+08:00) Irkutsk, Ulaan Bataar</source>
            <translation>(GMT+08:00) 伊爾庫次克，烏蘭巴托</translation>
        </message>
        <message>
            <source>(GMT+08:00) Kuala Lumpur, Singapore</source>
            <translation>(GMT+08:00) 吉隆坡，新加坡</translation>
        </message>
        <message>
            <source>(GMT+08:00) Perth</source>
            <translation>(GMT+08:00) 伯斯</translation>
        </message>
        <message>
            <source>(GMT+08:00) Taipei</source>
            <translation>(GMT+08:00) 台北</translation>
        </message>
        <message>
            <source>(GMT+09:00) Osaka, Sapporo, Tokyo</source>
            <translation>(GMT+09:00) 大阪，札幌，東京</translation>
        </message>
        <message>
            <source>(GMT+09:00) Seoul</source>
            <translation>(GMT+09:00) 首爾</translation>
        </message>
        <message>
            <source>(GMT+09:00) Yakutsk</source>
            <translation>(GMT+09:00) 雅庫次克</translation>
        </message>
        <message>
            <source>(GMT+09:30) Adelaide</source>
            <translation>(GMT+09:30) 阿得雷德</translation>
        </message>
        <message>
            <source>(GMT+09:30) Darwin</source>
            <translation>(GMT+09:30) 達爾文</translation>
        </message>
        <message>
            <source>(GMT+10:00) Brisbane</source>
            <translation>(GMT+10:00) 布里斯本</translation>
        </message>
        <message>
            <source>(GMT+10:00) Canberra, Melbourne, Sydney</source>
            <translation>(GMT+10:00) 坎培拉，墨爾本，雪梨</translation>
        </message>
        <message>
            <source>(GMT+10:00) Guam, Port Moresby</source>
            <translation>(GMT+10:00) 關島，莫士比港</translation>
        </message>
        <message>
            <source>(GMT+10:00) Hobart</source>
            <translation>(GMT+10:00) 荷巴特</translation>
        </message>
        <message>
            <source>(GMT+10:00) Vladivostok</source>
            <translation>(GMT+10:00) 海參崴</translation>
        </message>
        <message>
            <source>(GMT+11:00) Magadan, Solomon Is., New Caledonia</source>
            <translation>(GMT+11:00) 馬加丹，索羅門群島，新喀里多尼亞</translation>
        </message>
        <message>
            <source>(GMT+12:00) Auckland, Wellington</source>
            <translation>(GMT+12:00) 奧克蘭，威靈頓</translation>
        </message>
        <message>
            <source>(GMT+12:00) Fiji, Kamchatka, Marshall Is.</source>
            <translation>(GMT+12:00) 斐濟，堪察加，馬紹爾群島</translation>
        </message>
        <message>
            <source>(GMT+13:00) Nuku'alofa</source>
            <translation>(GMT+13:00) 努瓜婁發</translation>
        </message>
        <message>
            <source>%1, month</source>
            <translation>%1，月</translation>
        </message>
        <message>
            <source>%1, day</source>
            <translation>%1，日</translation>
        </message>
    </context>
    <context>
        <name>qx::CProgressDlg</name>
        <message>
            <source>Progress</source>
            <translation>進度</translation>
        </message>
        <message>
            <source> Cancel </source>
            <translation> 取消 </translation>
        </message>
    </context>
    <context>
        <name>qx::CSNMPDlg</name>
        <message>
            <source>Content</source>
            <translation>內容</translation>
        </message>
        <message>
            <source>Community</source>
            <translation>社群</translation>
        </message>
        <message>
            <source>Community String</source>
            <translation>社群字串</translation>
        </message>
        <message>
            <source>Access Type</source>
            <translation>存取類型</translation>
        </message>
        <message>
            <source>Enable SNMP</source>
            <translation>啟用 SNMP</translation>
        </message>
        <message>
            <source>Community %1</source>
            <translation>社群 %1</translation>
        </message>
        <message>
            <source>Access Type %1</source>
            <translation>存取類型 %1</translation>
        </message>
    </context>
    <context>
        <name>qx::CTriggerConfigDlg</name>
        <message>
            <source>Trigger Configuration</source>
            <translation>觸發設定</translation>
        </message>
        <message>
            <source>Trigger Setting</source>
            <translation>觸發設定值</translation>
        </message>
        <message>
            <source>Trigger Name</source>
            <translation>觸發名稱</translation>
        </message>
        <message>
            <source>Trigger Interval</source>
            <translation>觸發間隔</translation>
        </message>
        <message>
            <source>* 10 min ( 10 - 14400 min )</source>
            <translation>* 10 分鐘 ( 10 - 14400 分鐘 )</translation>
        </message>
        <message>
            <source>Email Content</source>
            <translation>郵件內容</translation>
        </message>
        <message>
            <source>User Message</source>
            <translation>使用者訊息</translation>
        </message>
        <message>
            <source>Trigger Mode</source>
            <translation>觸發模式</translation>
        </message>
        <message>
            <source>Device Register Trigger</source>
            <translation>裝置暫存器觸發</translation>
        </message>
        <message>
            <source>CPU ( STOP &lt;=&gt; RUN )</source>
            <translation>CPU ( STOP &lt;=&gt; RUN )</translation>
        </message>
        <message>
            <source>Periodic Timer</source>
            <translation>週期計時器</translation>
        </message>
        <message>
            <source>Attachment</source>
            <translation>附件</translation>
        </message>
        <message>
            <source>None</source>
            <translation>無</translation>
        </message>
        <message>
            <source>PLC Device</source>
            <translation>PLC 裝置</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>確定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Trigger sequence error</source>
            <translation>觸發順序錯誤</translation>
        </message>
    </context>
</TS>
