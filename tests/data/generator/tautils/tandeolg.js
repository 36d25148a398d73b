<script type="text/javascript">
var salesLetter = '[SALES LETTER URL]';
var greeting = '[default salutation]';
</script>
