<script type="text/javascript">
var fname = "[DEFAULT SALUTATION]";
</script>
