<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
    <context>
        <name>qx::CAboutDlg</name>
        <message>
            <source>About KM-31QX-C1</source>
            <translation>关于 KM-31QX-C1</translation>
        </message>
        <message>
            <source>KM-31QX-C1</source>
            <translation>KM-31QX-C1</translation>
        </message>
        <message>
            <source>Version: 1.00 (Build March 1 2012)</source>
            <translation>版本：1.00（2012 年 3 月 1 日构建）</translation>
        </message>
        <message>
            <source>Copyright (C) 2012 Orvane Industrial Automation Co., Ltd.</source>
            <translation>版权所有 (C) 2012 Orvane Industrial Automation Co., Ltd.</translation>
        </message>
        <message>
            <source>All rights reserved.</source>
            <translation>保留所有权利。</translation>
        </message>
        <message>
            <source>Internet:</source>
            <translation>网址：</translation>
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
            <translation>PLC 设备</translation>
        </message>
        <message>
            <source>Device</source>
            <translation>设备</translation>
        </message>
        <message>
            <source>Number</source>
            <translation>编号</translation>
        </message>
        <message>
            <source>Length</source>
            <translation>长度</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
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
            <translation>QX 配置工具</translation>
        </message>
        <message>
            <source>Upload</source>
            <translation>上传</translation>
        </message>
        <message>
            <source>Download</source>
            <translation>下载</translation>
        </message>
        <message>
            <source>Import File</source>
            <translation>导入文件</translation>
        </message>
        <message>
            <source>Export File</source>
            <translation>导出文件</translation>
        </message>
        <message>
            <source>The project's parameter file could not be saved:
%1

Your changes are still in this window. Make the file writable and press OK again, or keep them with Export File.</source>
            <translation>无法保存项目的参数文件：
%1

您的更改仍保留在此窗口中。请使文件可写后再按“确定”，或用“导出文件”保存更改。</translation>
        </message>
        <message>
            <source>The file could not be written:
%1</source>
            <translation>无法写入文件：
%1</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>默认值</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>帮助</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>About KM-31QX-C1...</source>
            <translation>关于 KM-31QX-C1...</translation>
        </message>
    </context>
    <context>
        <name>qx::CDataExchDlg</name>
        <message>
            <source>Program Control</source>
            <translation>程序控制</translation>
        </message>
        <message>
            <source>PLC Run</source>
            <translation>PLC 运行</translation>
        </message>
        <message>
            <source>Always Enable</source>
            <translation>始终启用</translation>
        </message>
        <message>
            <source>Enable Condition</source>
            <translation>启用条件</translation>
        </message>
        <message>
            <source>Data Exchange Items</source>
            <translation>数据交换项目</translation>
        </message>
        <message>
            <source>New...</source>
            <translation>新建...</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>复制</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>删除</translation>
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
            <translation>导入</translation>
        </message>
        <message>
            <source>Export</source>
            <translation>导出</translation>
        </message>
        <message>
            <source>All items on or off (Ctrl+Space)</source>
            <translation>全部项目启用或停用（Ctrl+空格键）</translation>
        </message>
        <message>
            <source>Read: remote device to module</source>
            <translation>读取：由远程设备到模块</translation>
        </message>
        <message>
            <source>Write: module to remote device</source>
            <translation>写入：由模块到远程设备</translation>
        </message>
        <message>
            <source>This address is in no range of the device type; edit the item to correct it.</source>
            <translation>此地址不在该设备类型的任何范围内；请编辑此项目加以修正。</translation>
        </message>
        <message>
            <source>This address cannot be written.</source>
            <translation>此地址无法写入。</translation>
        </message>
        <message>
            <source>Modbus function code %1 (0x%2), 0-based address %3</source>
            <translation>Modbus 功能码 %1 (0x%2)，从 0 起算的地址 %3</translation>
        </message>
        <message>
            <source>CPU request code 0x%1, device address 0x%2</source>
            <translation>CPU 请求码 0x%1，设备地址 0x%2</translation>
        </message>
        <message>
            <source>Its read area overlaps item %1.</source>
            <translation>其读取区与项目 %1 重叠。</translation>
        </message>
        <message>
            <source>Its write area overlaps item %1.</source>
            <translation>其写入区与项目 %1 重叠。</translation>
        </message>
        <message>
            <source>The file could not be written:
%1</source>
            <translation>无法写入文件：
%1</translation>
        </message>
        <message>
            <source>The file does not hold a KM31QX-2C data exchange table. Nothing was imported.</source>
            <translation>此文件不含 KM31QX-2C 的数据交换表，未导入任何内容。</translation>
        </message>
        <message>
            <source>The file holds no data exchange items. Nothing was imported.</source>
            <translation>此文件不含任何数据交换项目，未导入任何内容。</translation>
        </message>
        <message>
            <source>the row does not hold %1 values</source>
            <translation>此行不是 %1 个值</translation>
        </message>
        <message>
            <source>not a number</source>
            <translation>不是数字</translation>
        </message>
        <message>
            <source>must be 1 or 0</source>
            <translation>必须是 1 或 0</translation>
        </message>
        <message>
            <source>not an IP address</source>
            <translation>不是 IP 地址</translation>
        </message>
        <message>
            <source>not a device type</source>
            <translation>不是设备类型</translation>
        </message>
        <message>
            <source>not a D register of the module's area</source>
            <translation>不是模块区域内的 D 寄存器</translation>
        </message>
        <message>
            <source>no address kind of the device type in brackets</source>
            <translation>括号中没有该设备类型的地址种类</translation>
        </message>
        <message>
            <source>not an address of that kind</source>
            <translation>不是该种类的地址</translation>
        </message>
        <message>
            <source>Row %1, column %2 (%3)</source>
            <translation>第 %1 行，第 %2 列（%3）</translation>
        </message>
        <message>
            <source>Row %1</source>
            <translation>第 %1 行</translation>
        </message>
        <message>
            <source>%1: %2
Nothing was imported.</source>
            <translation>%1：%2
未导入任何内容。</translation>
        </message>
    </context>
    <context>
        <name>qx::CHyperlinkStatic</name>
        <message>
            <source>The operating system is out
of memory or resources.</source>
            <translation>操作系统的内存
或资源不足。</translation>
        </message>
        <message>
            <source>The specified file was not found.</source>
            <translation>找不到指定的文件。</translation>
        </message>
        <message>
            <source>The specified path was not found.</source>
            <translation>找不到指定的路径。</translation>
        </message>
        <message>
            <source>The operating system denied
access to the specified file.</source>
            <translation>操作系统拒绝
访问指定的文件。</translation>
        </message>
        <message>
            <source>There was not enough memory to complete the operation.</source>
            <translation>内存不足，无法完成此操作。</translation>
        </message>
        <message>
            <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
            <translation>此 .EXE 文件无效
（非 Win32 .EXE 或 .EXE 映像错误）。</translation>
        </message>
        <message>
            <source>A sharing violation occurred. </source>
            <translation>发生共享冲突。</translation>
        </message>
        <message>
            <source>The filename association is
incomplete or invalid.</source>
            <translation>文件名关联
不完整或无效。</translation>
        </message>
        <message>
            <source>The DDE transaction could not
be completed because the request timed out.</source>
            <translation>DDE 事务无法完成，
因为请求超时。</translation>
        </message>
        <message>
            <source>The DDE transaction failed.</source>
            <translation>DDE 事务失败。</translation>
        </message>
        <message>
            <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
            <translation>DDE 事务无法完成，
因为正在处理
其他 DDE 事务。</translation>
        </message>
        <message>
            <source>There is no application associated
with the given filename extension.</source>
            <translation>没有与此扩展名
关联的应用程序。</translation>
        </message>
        <message>
            <source>The specified dynamic-link library was not found.</source>
            <translation>找不到指定的动态链接库。</translation>
        </message>
        <message>
            <source>Unknown Error (%1) occurred.</source>
            <translation>发生未知错误 (%1)。</translation>
        </message>
        <message>
            <source>Unable to open hyperlink:

</source>
            <translation>无法打开超链接：

</translation>
        </message>
    </context>
    <context>
        <name>qx::CItemEditDlg</name>
        <message>
            <source>Item Edit</source>
            <translation>项目编辑</translation>
        </message>
        <message>
            <source>Enabled</source>
            <translation>启用</translation>
        </message>
        <message>
            <source>Item</source>
            <translation>项目</translation>
        </message>
        <message>
            <source>Remote Device</source>
            <translation>远程设备</translation>
        </message>
        <message>
            <source>Support Function Code 0x17</source>
            <translation>支持功能码 0x17</translation>
        </message>
        <message>
            <source>Slave Address</source>
            <translation>从站地址</translation>
        </message>
        <message>
            <source>IP Address</source>
            <translation>IP 地址</translation>
        </message>
        <message>
            <source>Device Type</source>
            <translation>设备类型</translation>
        </message>
        <message>
            <source>Update Cycle (ms)</source>
            <translation>更新周期 (ms)</translation>
        </message>
        <message>
            <source>Timeout (ms)</source>
            <translation>超时 (ms)</translation>
        </message>
        <message>
            <source>Read</source>
            <translation>读取</translation>
        </message>
        <message>
            <source>Write</source>
            <translation>写入</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Bit</source>
            <translation>位</translation>
        </message>
        <message>
            <source>Quantity</source>
            <translation>数量</translation>
        </message>
        <message>
            <source>Remote Address %s</source>
            <translation>远程地址 %s</translation>
        </message>
    </context>
    <context>
        <name>qx::CMailPageDlg1</name>
        <message>
            <source>Mail Server Configuration</source>
            <translation>邮件服务器设置</translation>
        </message>
        <message>
            <source>Default ( 25 )</source>
            <translation>默认 ( 25 )</translation>
        </message>
        <message>
            <source>SMTP Server</source>
            <translation>SMTP 服务器</translation>
        </message>
        <message>
            <source>Port</source>
            <translation>端口</translation>
        </message>
        <message>
            <source>Local Email Address</source>
            <translation>本机电子邮件地址</translation>
        </message>
        <message>
            <source>SMTP Subject</source>
            <translation>SMTP 主题</translation>
        </message>
        <message>
            <source>Account Identification</source>
            <translation>账户验证</translation>
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
            <translation>账户验证信息</translation>
        </message>
        <message>
            <source>User Name</source>
            <translation>用户名</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>密码</translation>
        </message>
    </context>
    <context>
        <name>qx::CMailPageDlg2</name>
        <message>
            <source>Trigger Configuration</source>
            <translation>触发设置</translation>
        </message>
    </context>
    <context>
        <name>qx::CMailPageDlg3</name>
        <message>
            <source>Email and Trigger Configuration</source>
            <translation>邮件与触发设置</translation>
        </message>
    </context>
    <context>
        <name>qx::CNTPDlg</name>
        <message>
            <source>NTP Client Setup</source>
            <translation>NTP 客户端设置</translation>
        </message>
        <message>
            <source>NTP Client Service Enable</source>
            <translation>启用 NTP 客户端服务</translation>
        </message>
        <message>
            <source>NTP Server</source>
            <translation>NTP 服务器</translation>
        </message>
        <message>
            <source>Update Cycle ( min. )</source>
            <translation>更新周期（分钟）</translation>
        </message>
        <message>
            <source>NTP Server Service</source>
            <translation>NTP 服务器服务</translation>
        </message>
        <message>
            <source>NTP Server Service Enable</source>
            <translation>启用 NTP 服务器服务</translation>
        </message>
        <message>
            <source>NTP Setup</source>
            <translation>NTP 设置</translation>
        </message>
        <message>
            <source>Daylight Saving Time</source>
            <translation>夏令时</translation>
        </message>
        <message>
            <source>Time Zone</source>
            <translation>时区</translation>
        </message>
        <message>
            <source>Start Date</source>
            <translation>开始日期</translation>
        </message>
        <message>
            <source>( Month / Day )</source>
            <translation>（月 / 日）</translation>
        </message>
        <message>
            <source>End Date</source>
            <translation>结束日期</translation>
        </message>
        <message>
            <source>Time</source>
            <translation>时间</translation>
        </message>
        <message>
            <source>( O'Clock )</source>
            <translation>（时）</translation>
        </message>
        <message>
            <source>(GMT-12:00) Eniwetok, Kwajalein</source>
            <translation>(GMT-12:00) 埃尼威托克，夸贾林环礁</translation>
        </message>
        <message>
            <source>(GMT-11:00) Midway Island, Samoa</source>
            <translation>(GMT-11:00) 中途岛，萨摩亚</translation>
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
            <translation>(GMT-08:00) 太平洋时间（美国和加拿大）；蒂华纳</translation>
        </message>
        <message>
            <source>(GMT-07:00) Arizona</source>
            <translation>(GMT-07:00) 亚利桑那</translation>
        </message>
        <message>
            <source>(GMT-07:00) Mountain Time (US &amp; Canada)</source>
            <translation>(GMT-07:00) 山地时间（美国和加拿大）</translation>
        </message>
        <message>
            <source>(GMT-06:00) Central America</source>
            <translation>(GMT-06:00) 中美洲</translation>
        </message>
        <message>
            <source>(GMT-06:00) Central Time (US &amp; Canada)</source>
            <translation>(GMT-06:00) 中部时间（美国和加拿大）</translation>
        </message>
        <message>
            <source>(GMT-06:00) Mexico City</source>
            <translation>(GMT-06:00) 墨西哥城</translation>
        </message>
        <message>
            <source>(GMT-06:00) Saskatchewan</source>
            <translation>(GMT-06:00) 萨斯喀彻温</translation>
        </message>
        <message>
            <source>(GMT-05:00) Bogota, Lima, Quito</source>
            <translation>(GMT-05:00) 波哥大，利马，基多</translation>
        </message>
        <message>
            <source>(GMT-05:00) Eastern Time (US &amp; Canada)</source>
            <translation>(GMT-05:00) 东部时间（美国和加拿大）</translation>
        </message>
        <message>
            <source>(GMT-05:00) Indiana (East)</source>
            <translation>(GMT-05:00) 印第安纳（东部）</translation>
        </message>
        <message>
            <source>(GMT-04:00) Atlantic Time (Canada)</source>
            <translation>(GMT-04:00) 大西洋时间（加拿大）</translation>
        </message>
        <message>
            <source>(GMT-04:00) Caracas, La Paz</source>
            <translation>(GMT-04:00) 加拉加斯，拉巴斯</translation>
        </message>
        <message>
            <source>(GMT-04:00) Santiago</source>
            <translation>(GMT-04:00) 圣地亚哥</translation>
        </message>
        <message>
            <source>(GMT-03:30) Newfoundland</source>
            <translation>(GMT-03:30) 纽芬兰</translation>
        </message>
        <message>
            <source>(GMT-03:00) Brasilia</source>
            <translation>(GMT-03:00) 巴西利亚</translation>
        </message>
        <message>
            <source>(GMT-03:00) Buenos Aires, Georgetown</source>
            <translation>(GMT-03:00) 布宜诺斯艾利斯，乔治敦</translation>
        </message>
        <message>
            <source>(GMT-03:00) Greenland</source>
            <translation>(GMT-03:00) 格陵兰</translation>
        </message>
        <message>
            <source>(GMT-02:00) Mid-Atlantic</source>
            <translation>(GMT-02:00) 中大西洋</translation>
        </message>
        <message>
            <source>(GMT-01:00) Azores</source>
            <translation>(GMT-01:00) 亚速尔群岛</translation>
        </message>
        <message>
            <source>(GMT-01:00) Cape Verde Is.</source>
            <translation>(GMT-01:00) 佛得角群岛</translation>
        </message>
        <message>
            <source>(GMT) Casablanca, Monrovia</source>
            <translation>(GMT) 卡萨布兰卡，蒙罗维亚</translation>
        </message>
        <message>
            <source>(GMT) Greenwich Mean Time: Dublin, Edinburgh, Lisbon, London</source>
            <translation>(GMT) 格林尼治标准时间：都柏林，爱丁堡，里斯本，伦敦</translation>
        </message>
        <message>
            <source>(GMT+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna</source>
            <translation>(GMT+01:00) 阿姆斯特丹，柏林，伯尔尼，罗马，斯德哥尔摩，维也纳</translation>
        </message>
        <message>
            <source>(GMT+01:00) Belgrade, Bratislava, Budapest, Ljubljana, Prague</source>
            <translation>(GMT+01:00) 贝尔格莱德，布拉迪斯拉发，布达佩斯，卢布尔雅那，布拉格</translation>
        </message>
        <message>
            <source>(GMT+01:00) Brussels, Copenhagen, Madrid, Paris</source>
            <translation>(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎</translation>
        </message>
        <message>
            <source>(GMT+01:00) Sarajevo, Skopje, Sofija, Vilnius, Warsaw, Zagreb</source>
            <translation>(GMT+01:00) 萨拉热窝，斯科普里，索非亚，维尔纽斯，华沙，萨格勒布</translation>
        </message>
        <message>
            <source>(GMT+01:00) West Central Africa</source>
            <translation>(GMT+01:00) 中非西部</translation>
        </message>
        <message>
            <source>(GMT+02:00) Athens, Istanbul, Minsk</source>
            <translation>(GMT+02:00) 雅典，伊斯坦布尔，明斯克</translation>
        </message>
        <message>
            <source>(GMT+02:00) Bucharest</source>
            <translation>(GMT+02:00) 布加勒斯特</translation>
        </message>
        <message>
            <source>(GMT+02:00) Cairo</source>
            <translation>(GMT+02:00) 开罗</translation>
        </message>
        <message>
            <source>(GMT+02:00) Harare, Pretoria</source>
            <translation>(GMT+02:00) 哈拉雷，比勒陀利亚</translation>
        </message>
        <message>
            <source>(GMT+02:00) Helsinki, Riga, Tallinn</source>
            <translation>(GMT+02:00) 赫尔辛基，里加，塔林</translation>
        </message>
        <message>
            <source>(GMT+02:00) Jerusalem</source>
            <translation>(GMT+02:00) 耶路撒冷</translation>
        </message>
        <message>
            <source>(GMT+03:00) Baghdad</source>
            <translation>(GMT+03:00) 巴格达</translation>
        </message>
        <message>
            <source>(GMT+03:00) Kuwait, Riyadh</source>
            <translation>(GMT+03:00) 科威特，利雅得</translation>
        </message>
        <message>
            <source>(GMT+03:00) Moscow, St. Petersburg, Volgograd</source>
            <translation>(GMT+03:00) 莫斯科，圣彼得堡，伏尔加格勒</translation>
        </message>
        <message>
            <source>(GMT+03:00) Nairobi</source>
            <translation>(GMT+03:00) 内罗毕</translation>
        </message>
        <message>
            <source>(GMT+03:30) Tehran</source>
            <translation>(GMT+03:30) 德黑兰</translation>
        </message>
        <message>
            <source>(GMT+04:00) Abu Dhabi, Muscat</source>
            <translation>(GMT+04:00) 阿布扎比，马斯喀特</translation>
        </message>
        <message>
            <source>(GMT+04:00) Baku, Tbilisi, Yerevan</source>
            <translation>(GMT+04:00) 巴库，第比利斯，埃里温</translation>
        </message>
        <message>
            <source>(GMT+04:30) Kabul</source>
            <translation>(GMT+04:30) 喀布尔</translation>
        </message>
        <message>
            <source>(GMT+05:00) Ekaterinburg</source>
            <translation>(GMT+05:00) 叶卡捷琳堡</translation>
        </message>
        <message>
            <source>(GMT+05:00) Islamabad, Karachi, Tashkent</source>
            <translation>(GMT+05:00) 伊斯兰堡，卡拉奇，塔什干</translation>
        </message>
        <message>
            <source>(GMT+05:30) Calcutta, Chennai, Mumbai, New Delhi</source>
            <translation>(GMT+05:30) 加尔各答，钦奈，孟买，新德里</translation>
        </message>
        <message>
            <source>(GMT+05:45) Kathmandu</source>
            <translation>(GMT+05:45) 加德满都</translation>
        </message>
        <message>
            <source>(GMT+06:00) Almaty, Novosibirsk</source>
            <translation>(GMT+06:00) 阿拉木图，新西伯利亚</translation>
        </message>
        <message>
            <source>(GMT+06:00) Astana, Dhaka</source>
            <translation>(GMT+06:00) 阿斯塔纳，达卡</translation>
        </message>
        <message>
            <source>(GMT+06:00) Sri Jayawardenepura</source>
            <translation>(GMT+06:00) 斯里贾亚瓦德纳普拉</translation>
        </message>
        <message>
            <source>(GMT+06:30) Rangoon</source>
            <translation>(GMT+06:30) 仰光</translation>
        </message>
        <message>
            <source>(GMT+07:00) Bangkok, Hanoi, Jakarta</source>
            <translation>(GMT+07:00) 曼谷，河内，雅加达</translation>
        </message>
        <message>
            <source>(GMT+07:00) Krasnoyarsk</source>
            <translation>(GMT+07:00) 克拉斯诺亚尔斯克</translation>
        </message>
        <message>
            <source>(GMT+08:00) Beijing, Chongqing, Hong Kong, Urumqi</source>
            <translation>(GMT+08:00) 北京，重庆，香港，乌鲁木齐</translation>
        </message>
        <message>
            <source>(GMT+08:00) Irkutsk, Ulaan Bataar</source>
            <translation>(GMT+08:00) 伊尔库茨克，乌兰巴托</translation>
        </message>
        <message>
            <source>(GMT+08:00) Kuala Lumpur, Singapore</source>
            <translation>(GMT+08:00) 吉隆坡，新加坡</translation>
        </message>
        <message>
            <source>(GMT+08:00) Perth</source>
            <translation>(GMT+08:00) 珀斯</translation>
        </message>
        <message>
            <source>(GMT+08:00) Taipei</source>
            <translation>(GMT+08:00) 台北</translation>
        </message>
        <message>
            <source>(GMT+09:00) Osaka, Sapporo, Tokyo</source>
            <translation>(GMT+09:00) 大阪，札幌，东京</translation>
        </message>
        <message>
            <source>(GMT+09:00) Seoul</source>
            <translation>(GMT+09:00) 首尔</translation>
        </message>
        <message>
            <source>(GMT+09:00) Yakutsk</source>
            <translation>(GMT+09:00) 雅库茨克</translation>
        </message>
        <message>
            <source>(GMT+09:30) Adelaide</source>
            <translation>(GMT+09:30) 阿德莱德</translation>
        </message>
        <message>
            <source>(GMT+09:30) Darwin</source>
            <translation>(GMT+09:30) 达尔文</translation>
        </message>
        <message>
            <source>(GMT+10:00) Brisbane</source>
            <translation>(GMT+10:00) 布里斯班</translation>
        </message>
        <message>
            <source>(GMT+10:00) Canberra, Melbourne, Sydney</source>
            <translation>(GMT+10:00) 堪培拉，墨尔本，悉尼</translation>
        </message>
        <message>
            <source>(GMT+10:00) Guam, Port Moresby</source>
            <translation>(GMT+10:00) 关岛，莫尔兹比港</translation>
        </message>
        <message>
            <source>(GMT+10:00) Hobart</source>
            <translation>(GMT+10:00) 霍巴特</translation>
        </message>
        <message>
            <source>(GMT+10:00) Vladivostok</source>
            <translation>(GMT+10:00) 符拉迪沃斯托克</translation>
        </message>
        <message>
            <source>(GMT+11:00) Magadan, Solomon Is., New Caledonia</source>
            <translation>(GMT+11:00) 马加丹，所罗门群岛，新喀里多尼亚</translation>
        </message>
        <message>
            <source>(GMT+12:00) Auckland, Wellington</source>
            <translation>(GMT+12:00) 奥克兰，惠灵顿</translation>
        </message>
        <message>
            <source>(GMT+12:00) Fiji, Kamchatka, Marshall Is.</source>
            <translation>(GMT+12:00) 斐济，堪察加，马绍尔群岛</translation>
        </message>
        <message>
            <source>(GMT+13:00) Nuku'alofa</source>
            <translation>(GMT+13:00) 努库阿洛法</translation>
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
            <translation>进度</translation>
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
            <translation>内容</translation>
        </message>
        <message>
            <source>Community</source>
            <translation>团体</translation>
        </message>
        <message>
            <source>Community String</source>
            <translation>团体字符串</translation>
        </message>
        <message>
            <source>Access Type</source>
            <translation>访问类型</translation>
        </message>
        <message>
            <source>Enable SNMP</source>
            <translation>启用 SNMP</translation>
        </message>
        <message>
            <source>Community %1</source>
            <translation>团体 %1</translation>
        </message>
        <message>
            <source>Access Type %1</source>
            <translation>访问类型 %1</translation>
        </message>
    </context>
    <context>
        <name>qx::CTriggerConfigDlg</name>
        <message>
            <source>Trigger Configuration</source>
            <translation>触发设置</translation>
        </message>
        <message>
            <source>Trigger Setting</source>
            <translation>触发设定</translation>
        </message>
        <message>
            <source>Trigger Name</source>
            <translation>触发名称</translation>
        </message>
        <message>
            <source>Trigger Interval</source>
            <translation>触发间隔</translation>
        </message>
        <message>
            <source>* 10 min ( 10 - 14400 min )</source>
            <translation>* 10 分钟 ( 10 - 14400 分钟 )</translation>
        </message>
        <message>
            <source>Email Content</source>
            <translation>邮件内容</translation>
        </message>
        <message>
            <source>User Message</source>
            <translation>用户消息</translation>
        </message>
        <message>
            <source>Trigger Mode</source>
            <translation>触发模式</translation>
        </message>
        <message>
            <source>Device Register Trigger</source>
            <translation>设备寄存器触发</translation>
        </message>
        <message>
            <source>CPU ( STOP &lt;=&gt; RUN )</source>
            <translation>CPU ( STOP &lt;=&gt; RUN )</translation>
        </message>
        <message>
            <source>Periodic Timer</source>
            <translation>周期定时器</translation>
        </message>
        <message>
            <source>Attachment</source>
            <translation>附件</translation>
        </message>
        <message>
            <source>None</source>
            <translation>无</translation>
        </message>
        <message>
            <source>PLC Device</source>
            <translation>PLC 设备</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Trigger sequence error</source>
            <translation>触发顺序错误</translation>
        </message>
    </context>
</TS>
